#include "core/content/tendency.h"

#include <string>

#include "core/text/sjis.h"

namespace plk {

TendencyRecord DefaultTendency() {
    TendencyRecord record{};
    record.specialYaku1 = 0;
    record.specialYaku2 = 1;
    record.specialYaku3 = 2;
    record.strength = 2;
    record.styleTanyaoChanta = 2;
    record.stylePinfuToitoi = 2;
    record.styleLowHigh = 2;
    record.favourite1 = 14;  // 七対子
    record.favourite2 = 8;   // 一気通貫
    record.weight1 = record.weight2 = record.weight3 = record.weight4 = record.weight5 = 2;
    return record;
}

TendencyRecord LegacyTendency(std::int32_t special1, std::int32_t special2, std::int32_t special3) {
    TendencyRecord record = DefaultTendency();
    record.specialYaku1 = special1;
    record.specialYaku2 = special2;
    record.specialYaku3 = special3;
    return record;
}

namespace {

template <std::size_t N>
std::array<YakuName, N> BuildTable(const char* const (&utf8)[N]) {
    std::array<YakuName, N> table{};
    for (std::size_t i = 0; i < N; ++i) {
        SetFieldText(std::span<char>(table[i]), ToSjis(utf8[i]));
    }
    return table;
}

// The names are written here in UTF-8 for readability and held as Shift-JIS at run time.
constexpr const char* kSpecialYaku[kSpecialYakuCount] = {
    "単鶏金糸(1翻)",
    "全求人(1翻)",
    "全倒鋪(1翻)",
    "パーマン(1翻)",
    "アナゴ(1翻)",
    "オバＱ(1翻)",
    "小三風(1翻)",
    "ショカン(1翻)",
    "ノッポ(1翻)",
    "ポンチーカンロン(1翻)",
    "ラストオーダーマーボードウフ(1翻)",
    "紅白饅頭(1翻)",
    "東發つきもの(1翻)",
    "南白つきもの(1翻)",
    "中西君(1翻)",
    "パンダ(1翻)",
    "青春に悔いなし(1翻)",
    "アル中(1翻)",
    "暗中模索(1翻)",
    "ルート２４６(1翻)",
    "二暗刻(1翻)",
    "乱風子(1翻)",
    "乱将一色(1翻)",
    "欠牌和(1翻)",
    "カラス(1翻)",
    "連風(1翻)",
    "銅鑼和(1翻)",
    "絶一門(1翻)",
    "五心通貫(1翻)",
    "五門斎(2翻)",
    "異色通貫(2翻)",
    "客風三風(2翻)",
    "大三喜(2翻)",
    "跳牌刻(2翻)",
    "筋牌刻(2翻)",
    "頂三刻(2翻)",
    "偶数連刻(2翻)",
    "飛び清一(2翻)",
    "三色連刻(2翻)",
    "二色二同順(2翻)",
    "三色三歩(2翻)",
    "一色三歩(2翻)",
    "白一点(2翻)",
    "西南戦争(2翻)",
    "青の洞門(2翻)",
    "上越新幹線とき(2翻)",
    "ダブルデート(2翻)",
    "ゴールドラッシュ(2翻)",
    "鏡同和(2翻)",
    "四風七対子(3翻)",
    "三元七対子(3翻)",
    "偶数七対子(3翻)",
    "奇数七対子(3翻)",
    "一色同順(3翻)",
    "未成年(3翻)",
    "鳴き九連宝燈(3翻)",
    "米寿(3翻)",
    "清奇数連刻(3翻)",
    "両同刻(4翻)",
    "成人式(4翻)",
    "七五三(4翻)",
    "セブンアップ(4翻)",
    "一筒撈月(4翻)",
    "連字混一色(4翻)",
    "ペイロン祭り(4翻)",
    "双竜争珠(4翻)",
    "清盃口(4翻)",
    "一気注連縄(6翻)",
    "オールインワン(6翻)",
    "オールナイン(6翻)",
    "エリア８８(6翻)",
    "雨台風(役満)",
    "風台風(役満)",
    "ウィンドウズ９５(役満)",
    "ウィンドウズ９８(役満)",
    "救急車(役満)",
    "十三無靠(役満)",
    "十四連嵌(役満)",
    "小乳首(役満)",
    "大乳首(役満)",
    "西中島南方(役満)",
    "石の上にも三年(役満)",
    "東大役満(役満)",
    "独釣寒江雪(役満)",
    "南北戦争(役満)",
    "北極白熊(役満)",
    "大竹林(役満)",
    "紅孔雀(役満)",
    "紅一点(役満)",
    "大草原(役満)",
    "花鳥風月(役満)",
    "風花雪月(役満)",
    "宝紅開花(役満)",
    "世界一(役満)",
    "一色四歩(役満)",
    "東北新幹線(役満)",
    "青函連絡船(役満)",
    "上越新幹線あさひ(役満)",
    "青函トンネル(役満)",
    "紀州五十五万石(役満)",
    "九十九里浜(役満)",
    "除夜の鐘(役満)",
    "五龍鳴動(役満)",
    "四跳牌刻(役満)",
    "金門橋(役満)",
    "頭槓和(役満)",
    "変形九連宝燈(役満)",
    "非常食(役満)",
    "石の上にも三年(ダブル役満)",
    "七福星(ダブル役満)",
    "超三元(ダブル役満)",
    "超四喜(ダブル役満)",
    "十三龍門(トリプル役満)",
};

constexpr const char* kFavouriteYaku[kFavouriteYakuCount] = {
    "なし",     "平和",     "断ヤオ九", "一盃口",     "翻牌",   "対々和",     "全帯ヤオ",
    "三色同順", "一気通貫", "三色同刻", "混老頭",     "三暗刻", "三槓子",     "小三元",
    "七対子",   "三連刻",   "一色三順", "二盃口",     "混一色", "純全帯ヤオ", "清一色",
    "国士無双", "四暗刻",   "大三元",   "小四喜",     "字一色", "清老頭",     "緑一色",
    "四槓子",   "九連宝燈", "地和",     "人和",       "八連荘", "十三不搭",   "大車輪",
    "小車輪",   "四連刻",   "四連大宝", "加賀百万石", "大四喜", "天和",       "特殊役１",
    "特殊役２", "特殊役３",
};

}  // namespace

const std::array<YakuName, kSpecialYakuCount>& SpecialYakuTable() {
    static const auto table = BuildTable(kSpecialYaku);
    return table;
}

const std::array<YakuName, kFavouriteYakuCount>& FavouriteYakuTable() {
    static const auto table = BuildTable(kFavouriteYaku);
    return table;
}

std::string_view YakuText(const YakuName& name) {
    return FieldText(std::span<const char>(name), kYakuNameSize - 1);
}

}  // namespace plk
