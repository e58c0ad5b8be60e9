#!/usr/bin/env python3
"""Writes the small seed files of the image, sound, text, playback, editing and content
fuzz targets into corpus/.

The project and LZSS seeds are made with plkce-cli (see the README). Every seed of the
image decoder starts with one byte that the target uses to pick a colour key. The playback,
editing and content targets read their inputs as a stream of choices, so their seeds are
fixed pseudo-random bytes of a few sizes plus some texts; the fuzzer finds its way from
there."""
import pathlib
import random
import struct
import zlib

here = pathlib.Path(__file__).resolve().parent / "corpus"


def png(width, height, colour_type, bit_depth, rows, palette=None, trns=None):
    def chunk(tag, body):
        return struct.pack(">I", len(body)) + tag + body + struct.pack(">I", zlib.crc32(tag + body))
    out = b"\x89PNG\r\n\x1a\n"
    out += chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, bit_depth, colour_type, 0, 0, 0))
    if palette:
        out += chunk(b"PLTE", palette)
    if trns:
        out += chunk(b"tRNS", trns)
    out += chunk(b"IDAT", zlib.compress(b"".join(b"\x00" + r for r in rows)))
    return out + chunk(b"IEND", b"")


def bmp(width, height, rows, top_down=False):
    stride = (width * 3 + 3) & ~3
    pixels = b"".join(r.ljust(stride, b"\x00") for r in rows)
    info = struct.pack("<IiiHHIIiiII", 40, width, -height if top_down else height, 1, 24, 0,
                       len(pixels), 2835, 2835, 0, 0)
    return b"BM" + struct.pack("<IHHI", 14 + len(info) + len(pixels), 0, 0, 54) + info + pixels


def os2_bmp(width, height, rows):
    stride = (width * 3 + 3) & ~3
    pixels = b"".join(r.ljust(stride, b"\x00") for r in rows)
    info = struct.pack("<IHHHH", 12, width, height, 1, 24)
    return b"BM" + struct.pack("<IHHI", 14 + 12 + len(pixels), 0, 0, 26) + info + pixels


def wav(fmt_tag, channels, rate, bits, samples, extra=b"", block_align=None):
    block_align = block_align or channels * bits // 8
    fmt = struct.pack("<HHIIHH", fmt_tag, channels, rate, rate * block_align, block_align, bits)
    if extra:
        fmt += struct.pack("<H", len(extra)) + extra
    body = b"WAVE" + b"fmt " + struct.pack("<I", len(fmt)) + fmt
    body += b"data" + struct.pack("<I", len(samples)) + samples + (b"\x00" if len(samples) & 1 else b"")
    return b"RIFF" + struct.pack("<I", len(body)) + body


def write(folder, name, data):
    (here / folder).mkdir(exist_ok=True)
    (here / folder / name).write_bytes(data)


images = {
    "rgba_3x2.png": png(3, 2, 6, 8, [bytes(range(12)), bytes(range(12, 24))]),
    "grey_4x1.png": png(4, 1, 0, 8, [b"\x00\x40\x80\xff"]),
    "palette_2x2.png": png(2, 2, 3, 1, [b"\x80", b"\x40"], palette=b"\xff\x00\x00\x00\x00\xff",
                           trns=b"\x80"),
    "rgb_2x2.bmp": bmp(2, 2, [b"\x00\x00\xff\x00\xff\x00", b"\xff\x00\x00\xff\xff\xff"]),
    "top_down_2x2.bmp": bmp(2, 2, [b"\x10\x20\x30\x40\x50\x60", b"\x70\x80\x90\xa0\xb0\xc0"],
                            top_down=True),
    "os2_2x1.bmp": os2_bmp(2, 1, [b"\x00\x00\x00\xff\xff\xff"]),
}
for i, (name, data) in enumerate(sorted(images.items())):
    write("image_decoder", name, bytes([i]) + data)

sounds = {
    "pcm8_mono.wav": wav(1, 1, 8000, 8, bytes(range(0, 256, 16))),
    "pcm16_stereo.wav": wav(1, 2, 22050, 16, struct.pack("<8h", 0, 1000, -1000, 32767, -32768, 5, 6, 7)),
    "float32_mono.wav": wav(3, 1, 44100, 32, struct.pack("<4f", 0.0, 0.5, -0.5, 1.0)),
    "mulaw_mono.wav": wav(7, 1, 8000, 8, bytes(range(0, 256, 32))),
    "ima_adpcm_mono.wav": wav(0x11, 1, 8000, 4, struct.pack("<hBB", 0, 0, 0) + bytes(range(0x10, 0x1c)),
                              extra=struct.pack("<H", 25), block_align=16),
}
for name, data in sounds.items():
    write("wave_check", name, data)


def sjis(text):
    return text.encode("cp932")


texts = {
    "japanese.txt": sjis("ロンです。\\\\次は負けませんよ！「はい」"),
    "chara_escape.txt": b"\\chara(1,2)" + sjis("こんにちは") + b"\\chara(3",
    "invalid_bytes.txt": b"\xffabc\x80\xa0\xfd" + sjis("あ") + b"\xe3abc\x81",
    "lead_at_end.txt": sjis("テスト") + b"\x82",
    "long_line.txt": sjis("あ") * 200 + b"a" + sjis("い") * 60,
    "utf8_mixed.txt": "café ロン 😀 \\\\ end".encode("utf-8") + b"\xed\xa0\x80\xc0\xaf",
}
for name, data in texts.items():
    write("message_text", name, data)

rng = random.Random(28)
for folder, sizes in {"playback": (64, 512, 2048, 8192),
                      "timesheet_edit": (64, 512, 2048),
                      "content_checks": (32, 300, 3000, 12000)}.items():
    for size in sizes:
        write(folder, f"random_{size}.bin", bytes(rng.randrange(256) for _ in range(size)))
for name, data in texts.items():
    write("content_checks", "names_" + name, b"\x00" + data + b"\x00" + data[::-1])
