<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="ja">
<context>
    <name>ControlCommands</name>
    <message>
        <source>リピート</source>
        <translation>Repeat</translation>
    </message>
    <message>
        <source>ウェイト</source>
        <translation>Wait</translation>
    </message>
    <message>
        <source>message</source>
        <translation>message</translation>
    </message>
    <message>
        <source>chat</source>
        <translation>chat</translation>
    </message>
    <message>
        <source>chatclear</source>
        <translation>chatclear</translation>
    </message>
    <message>
        <source>chargestart</source>
        <translation>chargestart</translation>
    </message>
    <message>
        <source>chargeend</source>
        <translation>chargeend</translation>
    </message>
    <message>
        <source>chargestack</source>
        <translation>chargestack</translation>
    </message>
    <message>
        <source>showstart</source>
        <translation>showstart</translation>
    </message>
    <message>
        <source>showend</source>
        <translation>showend</translation>
    </message>
    <message>
        <source>ウインドウ表示位置</source>
        <translation>Window position</translation>
    </message>
    <message>
        <source>戻るセル番号</source>
        <translation>Return to cell</translation>
    </message>
    <message>
        <source>タイムシート進行</source>
        <translation>Sheet progress</translation>
    </message>
    <message>
        <source>時間</source>
        <translation>Time</translation>
    </message>
    <message>
        <source>復帰タイプ</source>
        <translation>Return type</translation>
    </message>
    <message>
        <source>表示位置</source>
        <translation>Position</translation>
    </message>
</context>
<context>
    <name>CutNameList</name>
    <message>
        <source>カット:%1</source>
        <translation>Cut:%1</translation>
    </message>
</context>
<context>
    <name>ErrorTexts</name>
    <message>
        <source>「%1」に書き込めません。保存先のフォルダーがあるか確かめてください。</source>
        <translation>Cannot write &quot;%1&quot;. Check that the destination folder exists.</translation>
    </message>
    <message>
        <source>「%1」が見つかりません。ファイルの場所を確かめてください。</source>
        <translation>&quot;%1&quot; was not found. Check where the file is.</translation>
    </message>
    <message>
        <source>「%1」はフォルダーやパイプなどで、普通のファイルではありません。ファイルを選び直してください。</source>
        <translation>&quot;%1&quot; is a folder, a pipe or the like, not a regular file. Choose another file.</translation>
    </message>
    <message>
        <source>「%1」にアクセスできません。ファイルとフォルダーのアクセス権を確かめてください。</source>
        <translation>Cannot access &quot;%1&quot;. Check the permissions of the file and its folder.</translation>
    </message>
    <message>
        <source>「%1」の書き込み中にディスクがいっぱいになりました。空きを作ってからやり直してください。元のファイルはそのままです。</source>
        <translation>The disk became full while writing &quot;%1&quot;. Free some space and try again. The original file is unchanged.</translation>
    </message>
    <message>
        <source>「%1」は PLK-CE のプロジェクト ファイルではないか、壊れているため開けません。</source>
        <translation>&quot;%1&quot; cannot be opened: it is not a PLK-CE project file, or it is damaged.</translation>
    </message>
    <message>
        <source>「%1」は読み込めない形式か、壊れています。</source>
        <translation>&quot;%1&quot; is in a format that cannot be read, or it is damaged.</translation>
    </message>
    <message>
        <source>「%1」の読み書きに失敗しました。ファイルとディスクの状態を確かめてからやり直してください。</source>
        <translation>Reading or writing &quot;%1&quot; failed. Check the file and the disk, then try again.</translation>
    </message>
    <message>
        <source>
リソース パレットのスロット %1 のファイルです。ファイルを元の場所に戻すか、スロットに読み込み直してください。</source>
        <translation>
It is the file of resource palette slot %1. Put the file back where it was, or load it into the slot again.</translation>
    </message>
    <message>
        <source>メモリが足りません。ほかのプログラムを閉じてからやり直してください。</source>
        <translation>Not enough memory. Close other programs and try again.</translation>
    </message>
    <message>
        <source>プロジェクトを開けませんでした。</source>
        <translation>The project could not be opened.</translation>
    </message>
    <message>
        <source>プロジェクトを保存できませんでした。</source>
        <translation>The project could not be saved.</translation>
    </message>
    <message>
        <source>エクスポートできませんでした。</source>
        <translation>The export failed.</translation>
    </message>
</context>
<context>
    <name>ExportRunner</name>
    <message>
        <source>エクスポートしています...</source>
        <translation>Exporting...</translation>
    </message>
    <message>
        <source>キャンセル</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>エクスポートできませんでした。</source>
        <translation>The export failed.</translation>
    </message>
</context>
<context>
    <name>FieldReading</name>
    <message>
        <source>入力エラー</source>
        <translation>Input Error</translation>
    </message>
    <message>
        <source> このフィールドに入力される文字は全角ひらがなカタカナ漢字である必要があります</source>
        <translation> This field takes full-width hiragana, katakana and kanji only</translation>
    </message>
    <message>
        <source> このフィールドに入力される文字は英数字である必要があります</source>
        <translation> This field takes letters and digits only</translation>
    </message>
    <message>
        <source>整数を入力してください。</source>
        <translation>Enter a whole number.</translation>
    </message>
    <message>
        <source>数値を入力してください。</source>
        <translation>Enter a number.</translation>
    </message>
    <message>
        <source>%1 から %2 までの整数を入力してください。</source>
        <translation>Enter a whole number from %1 to %2.</translation>
    </message>
    <message>
        <source>%1 から %2 までの数値を入力してください。</source>
        <translation>Enter a number from %1 to %2.</translation>
    </message>
</context>
<context>
    <name>FileCommands</name>
    <message>
        <source>変更を保存しますか？</source>
        <translation>Save changes?</translation>
    </message>
    <message>
        <source>キャラクターチェックでエラーが見つかりました（ゲームで失敗するか、失われるものがあります）。
このままエクスポートしますか？</source>
        <translation>The character check found errors (the game will fail or lose something).
Export anyway?</translation>
    </message>
    <message>
        <source>GIF アニメーション (*.gif);;WebP アニメーション (*.webp)</source>
        <translation>GIF animation (*.gif);;WebP animation (*.webp)</translation>
    </message>
    <message>
        <source>PLK-CE サンプル</source>
        <translation>PLK-CE Sample</translation>
    </message>
    <message>
        <source>サンプルキャラクターのコピー先</source>
        <translation>Where to Put the Sample Character</translation>
    </message>
    <message>
        <source>「%1」はフォルダーではありません。別の場所を選んでください。</source>
        <translation>&quot;%1&quot; is not a folder. Choose another place.</translation>
    </message>
    <message>
        <source>サンプルキャラクターを取り出せませんでした。</source>
        <translation>The sample character could not be unpacked.</translation>
    </message>
</context>
<context>
    <name>SituationNames</name>
    <message>
        <source>Ａ：テンパイ</source>
        <translation>A: Tenpai</translation>
    </message>
    <message>
        <source>Ｂ：ノーテン</source>
        <translation>B: Noten</translation>
    </message>
    <message>
        <source>Ｃ：ポン</source>
        <translation>C: Pon</translation>
    </message>
    <message>
        <source>Ｄ：チー</source>
        <translation>D: Chii</translation>
    </message>
    <message>
        <source>Ｅ：カン</source>
        <translation>E: Kan</translation>
    </message>
    <message>
        <source>Ｆ：リーチ</source>
        <translation>F: Riichi</translation>
    </message>
    <message>
        <source>Ｇ：ツモ</source>
        <translation>G: Tsumo</translation>
    </message>
    <message>
        <source>Ｈ：ロン</source>
        <translation>H: Ron</translation>
    </message>
    <message>
        <source>Ｉ：トップ</source>
        <translation>I: Top</translation>
    </message>
    <message>
        <source>Ｊ：最下位</source>
        <translation>J: Last place</translation>
    </message>
    <message>
        <source>Ｋ：流し満貫</source>
        <translation>K: Nagashi mangan</translation>
    </message>
    <message>
        <source>Ｌ：マネ満</source>
        <translation>L: Mane-man</translation>
    </message>
    <message>
        <source>Ｍ：被直撃時</source>
        <translation>M: Dealt in</translation>
    </message>
    <message>
        <source>Ｎ：他家アガリ安</source>
        <translation>N: Other&apos;s win, cheap</translation>
    </message>
    <message>
        <source>Ｏ：他家アガリ中</source>
        <translation>O: Other&apos;s win, medium</translation>
    </message>
    <message>
        <source>Ｐ：他家アガリ高</source>
        <translation>P: Other&apos;s win, expensive</translation>
    </message>
    <message>
        <source>Ｑ：他家チョンボ</source>
        <translation>Q: Other&apos;s chombo</translation>
    </message>
    <message>
        <source>Ｒ：特殊役１</source>
        <translation>R: Special yaku 1</translation>
    </message>
    <message>
        <source>Ｓ：特殊役２</source>
        <translation>S: Special yaku 2</translation>
    </message>
    <message>
        <source>Ｔ：特殊役３</source>
        <translation>T: Special yaku 3</translation>
    </message>
    <message>
        <source>Ｕ：ランダム負</source>
        <translation>U: Random, losing</translation>
    </message>
    <message>
        <source>Ｖ：ランダム中</source>
        <translation>V: Random, even</translation>
    </message>
    <message>
        <source>Ｗ：ランダム勝</source>
        <translation>W: Random, winning</translation>
    </message>
    <message>
        <source>Ｘ：ランダム他</source>
        <translation>X: Random, other</translation>
    </message>
    <message>
        <source>Ｙ：開始時</source>
        <translation>Y: Game start</translation>
    </message>
    <message>
        <source>Ｚ：序盤</source>
        <translation>Z: Early game</translation>
    </message>
    <message>
        <source>ａ：終盤</source>
        <translation>a: Late game</translation>
    </message>
    <message>
        <source>ｂ：オーラス時</source>
        <translation>b: All last</translation>
    </message>
    <message>
        <source>ｃ：指名</source>
        <translation>c: Choosing an opponent</translation>
    </message>
    <message>
        <source>ｄ：被指名</source>
        <translation>d: Chosen as opponent</translation>
    </message>
    <message>
        <source>ｅ：自家アガリ安</source>
        <translation>e: Own win, cheap</translation>
    </message>
    <message>
        <source>ｆ：自家アガリ中</source>
        <translation>f: Own win, medium</translation>
    </message>
    <message>
        <source>ｇ：自家アガリ高</source>
        <translation>g: Own win, expensive</translation>
    </message>
    <message>
        <source>ｈ：自家チョンボ</source>
        <translation>h: Own chombo</translation>
    </message>
    <message>
        <source>ｉ：捨牌・危険</source>
        <translation>i: Discard, dangerous</translation>
    </message>
    <message>
        <source>ｊ：捨牌・安全</source>
        <translation>j: Discard, safe</translation>
    </message>
    <message>
        <source>ｋ：ＥＸＩＴ</source>
        <translation>k: EXIT</translation>
    </message>
    <message>
        <source>ｌ：ヤキトリ脱出</source>
        <translation>l: Escaped yakitori</translation>
    </message>
    <message>
        <source>ｍ：ヤキブタ脱出</source>
        <translation>m: Escaped yakibuta</translation>
    </message>
    <message>
        <source>ｎ：割れ目時</source>
        <translation>n: Wareme</translation>
    </message>
    <message>
        <source>ｚ：メンバー選択時</source>
        <translation>z: Member selection</translation>
    </message>
</context>
<context>
    <name>SjisInputGuard</name>
    <message>
        <source>次の文字はゲームの文字コード（Shift-JIS）で表せないため、入力できません。
%1</source>
        <translation>These characters cannot be typed: the game&apos;s character encoding (Shift-JIS) has no code for them.
%1</translation>
    </message>
    <message>
        <source>
そのほかの文字は入力しました。</source>
        <translation>
The other characters were typed in.</translation>
    </message>
</context>
<context>
    <name>StoredPathCheck</name>
    <message>
        <source>ファイル名に Shift-JIS で表せない文字が含まれています。</source>
        <translation>The file name has characters that Shift-JIS cannot represent.</translation>
    </message>
    <message>
        <source>ファイル名が長すぎます（%1 バイト、%2 バイトまで）。</source>
        <translation>The file name is too long (%1 bytes, at most %2).</translation>
    </message>
    <message>
        <source>フォルダー名に Shift-JIS で表せない文字が含まれています。</source>
        <translation>A folder name has characters that Shift-JIS cannot represent.</translation>
    </message>
    <message>
        <source>フォルダーを含めたパスが長すぎます（%1 バイト、%2 バイトまで）。</source>
        <translation>The path with its folders is too long (%1 bytes, at most %2).</translation>
    </message>
    <message>
        <source>「%1」は読み込めません。
%2
ファイル名やフォルダー名を変えるか、短いパスのフォルダーに移してから読み込んでください。</source>
        <translation>&quot;%1&quot; cannot be loaded.
%2
Rename the file or its folders, or move it to a folder with a shorter path, then load it.</translation>
    </message>
</context>
<context>
    <name>TimeSheet</name>
    <message>
        <source>セルNo %1
位置 %2, %3
拡大率 %4 x %5
回転 %6
透明度 %7</source>
        <translation>Cell No. %1
Position %2, %3
Scale %4 x %5
Rotation %6
Alpha %7</translation>
    </message>
</context>
<context>
    <name>TimeSheetDialogs</name>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>キャンセル</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>TimeSheetMenus</name>
    <message>
        <source>パートを挿入</source>
        <translation>Insert Part</translation>
    </message>
    <message>
        <source>パートを削除</source>
        <translation>Delete Part</translation>
    </message>
    <message>
        <source>パートのコピー</source>
        <translation>Copy Part</translation>
    </message>
    <message>
        <source>パートのペースト</source>
        <translation>Paste Part</translation>
    </message>
    <message>
        <source>フレームの挿入</source>
        <translation>Insert Frame</translation>
    </message>
    <message>
        <source>フレームの削除</source>
        <translation>Delete Frame</translation>
    </message>
    <message>
        <source>フレームのコピー</source>
        <translation>Copy Frames</translation>
    </message>
    <message>
        <source>フレームのペースト</source>
        <translation>Paste Frames</translation>
    </message>
    <message>
        <source>複数フレームの挿入</source>
        <translation>Insert Multiple Frames</translation>
    </message>
    <message>
        <source>複数フレームの削除</source>
        <translation>Delete Multiple Frames</translation>
    </message>
    <message>
        <source>制御フレームの挿入</source>
        <translation>Insert Control Frame</translation>
    </message>
    <message>
        <source>制御フレームの変更</source>
        <translation>Change Control Frame</translation>
    </message>
    <message>
        <source>フレームを末尾に挿入</source>
        <translation>Append Frame</translation>
    </message>
    <message>
        <source>制御フレームを末尾に挿入</source>
        <translation>Append Control Frame</translation>
    </message>
    <message>
        <source>選択範囲を再生</source>
        <translation>Play Selection</translation>
    </message>
    <message>
        <source>カットを挿入</source>
        <translation>Insert Cut</translation>
    </message>
    <message>
        <source>カットの削除</source>
        <translation>Delete Cut</translation>
    </message>
    <message>
        <source>カットのコピー</source>
        <translation>Copy Cut</translation>
    </message>
    <message>
        <source>カットのペースト</source>
        <translation>Paste Cut</translation>
    </message>
    <message>
        <source>カット名の変更</source>
        <translation>Rename Cut</translation>
    </message>
</context>
<context>
    <name>UndoTexts</name>
    <message>
        <source>元に戻す(&amp;U)</source>
        <translation>&amp;Undo</translation>
    </message>
    <message>
        <source>元に戻す(&amp;U): %1</source>
        <translation>&amp;Undo: %1</translation>
    </message>
    <message>
        <source>やり直し(&amp;R)</source>
        <translation>&amp;Redo</translation>
    </message>
    <message>
        <source>やり直し(&amp;R): %1</source>
        <translation>&amp;Redo: %1</translation>
    </message>
</context>
<context>
    <name>UserDialogs</name>
    <message>
        <source>CREファイル (*.cre);;全てのファイル (*)</source>
        <translation>CRE files (*.cre);;All files (*)</translation>
    </message>
    <message>
        <source>ce8ファイル (*.ce8);;全てのファイル (*)</source>
        <translation>ce8 files (*.ce8);;All files (*)</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>はい</source>
        <translation>Yes</translation>
    </message>
    <message>
        <source>いいえ</source>
        <translation>No</translation>
    </message>
    <message>
        <source>キャンセル</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>フォルダー (*)</source>
        <translation>Folders (*)</translation>
    </message>
    <message>
        <source>フォルダー名:</source>
        <translation>Folder name:</translation>
    </message>
    <message>
        <source>ここに置く</source>
        <translation>Put It Here</translation>
    </message>
</context>
<context>
    <name>YakuNames</name>
    <message>
        <source>単鶏金糸(1翻)</source>
        <translation>Tankei Kinshi (1 han)</translation>
    </message>
    <message>
        <source>全求人(1翻)</source>
        <translation>Zenkyuujin (1 han)</translation>
    </message>
    <message>
        <source>全倒鋪(1翻)</source>
        <translation>Zentouho (1 han)</translation>
    </message>
    <message>
        <source>パーマン(1翻)</source>
        <translation>Paaman (1 han)</translation>
    </message>
    <message>
        <source>アナゴ(1翻)</source>
        <translation>Anago (1 han)</translation>
    </message>
    <message>
        <source>オバＱ(1翻)</source>
        <translation>Obakyuu (1 han)</translation>
    </message>
    <message>
        <source>小三風(1翻)</source>
        <translation>Shousanfuu (1 han)</translation>
    </message>
    <message>
        <source>ショカン(1翻)</source>
        <translation>Shokan (1 han)</translation>
    </message>
    <message>
        <source>ノッポ(1翻)</source>
        <translation>Noppo (1 han)</translation>
    </message>
    <message>
        <source>ポンチーカンロン(1翻)</source>
        <translation>Pon Chii Kan Ron (1 han)</translation>
    </message>
    <message>
        <source>ラストオーダーマーボードウフ(1翻)</source>
        <translation>Last Order Maabou Doufu (1 han)</translation>
    </message>
    <message>
        <source>紅白饅頭(1翻)</source>
        <translation>Kouhaku Manjuu (1 han)</translation>
    </message>
    <message>
        <source>東發つきもの(1翻)</source>
        <translation>Ton Hatsu Tsukimono (1 han)</translation>
    </message>
    <message>
        <source>南白つきもの(1翻)</source>
        <translation>Nan Haku Tsukimono (1 han)</translation>
    </message>
    <message>
        <source>中西君(1翻)</source>
        <translation>Nakanishi-kun (1 han)</translation>
    </message>
    <message>
        <source>パンダ(1翻)</source>
        <translation>Panda (1 han)</translation>
    </message>
    <message>
        <source>青春に悔いなし(1翻)</source>
        <translation>Seishun ni Kui Nashi (1 han)</translation>
    </message>
    <message>
        <source>アル中(1翻)</source>
        <translation>Aruchuu (1 han)</translation>
    </message>
    <message>
        <source>暗中模索(1翻)</source>
        <translation>Anchuu Mosaku (1 han)</translation>
    </message>
    <message>
        <source>ルート２４６(1翻)</source>
        <translation>Route 246 (1 han)</translation>
    </message>
    <message>
        <source>二暗刻(1翻)</source>
        <translation>Ryanankou (1 han)</translation>
    </message>
    <message>
        <source>乱風子(1翻)</source>
        <translation>Ranfuushi (1 han)</translation>
    </message>
    <message>
        <source>乱将一色(1翻)</source>
        <translation>Ranshou Iisou (1 han)</translation>
    </message>
    <message>
        <source>欠牌和(1翻)</source>
        <translation>Keppaihou (1 han)</translation>
    </message>
    <message>
        <source>カラス(1翻)</source>
        <translation>Karasu (1 han)</translation>
    </message>
    <message>
        <source>連風(1翻)</source>
        <translation>Renfuu (1 han)</translation>
    </message>
    <message>
        <source>銅鑼和(1翻)</source>
        <translation>Dorahou (1 han)</translation>
    </message>
    <message>
        <source>絶一門(1翻)</source>
        <translation>Zetsu Ichimon (1 han)</translation>
    </message>
    <message>
        <source>五心通貫(1翻)</source>
        <translation>Uushin Tonkan (1 han)</translation>
    </message>
    <message>
        <source>五門斎(2翻)</source>
        <translation>Uumenchii (2 han)</translation>
    </message>
    <message>
        <source>異色通貫(2翻)</source>
        <translation>Ishoku Tsuukan (2 han)</translation>
    </message>
    <message>
        <source>客風三風(2翻)</source>
        <translation>Kyakufuu Sanfuu (2 han)</translation>
    </message>
    <message>
        <source>大三喜(2翻)</source>
        <translation>Daisanshii (2 han)</translation>
    </message>
    <message>
        <source>跳牌刻(2翻)</source>
        <translation>Choupaikou (2 han)</translation>
    </message>
    <message>
        <source>筋牌刻(2翻)</source>
        <translation>Suji Paikou (2 han)</translation>
    </message>
    <message>
        <source>頂三刻(2翻)</source>
        <translation>Chousankou (2 han)</translation>
    </message>
    <message>
        <source>偶数連刻(2翻)</source>
        <translation>Guusuu Renkou (2 han)</translation>
    </message>
    <message>
        <source>飛び清一(2翻)</source>
        <translation>Tobi Chinitsu (2 han)</translation>
    </message>
    <message>
        <source>三色連刻(2翻)</source>
        <translation>Sanshoku Renkou (2 han)</translation>
    </message>
    <message>
        <source>二色二同順(2翻)</source>
        <translation>Nishoku Nidoujun (2 han)</translation>
    </message>
    <message>
        <source>三色三歩(2翻)</source>
        <translation>Sanshoku Sanpo (2 han)</translation>
    </message>
    <message>
        <source>一色三歩(2翻)</source>
        <translation>Iishoku Sanpo (2 han)</translation>
    </message>
    <message>
        <source>白一点(2翻)</source>
        <translation>Haku Itten (2 han)</translation>
    </message>
    <message>
        <source>西南戦争(2翻)</source>
        <translation>Seinan Sensou (2 han)</translation>
    </message>
    <message>
        <source>青の洞門(2翻)</source>
        <translation>Ao no Doumon (2 han)</translation>
    </message>
    <message>
        <source>上越新幹線とき(2翻)</source>
        <translation>Joetsu Shinkansen Toki (2 han)</translation>
    </message>
    <message>
        <source>ダブルデート(2翻)</source>
        <translation>Double Date (2 han)</translation>
    </message>
    <message>
        <source>ゴールドラッシュ(2翻)</source>
        <translation>Gold Rush (2 han)</translation>
    </message>
    <message>
        <source>鏡同和(2翻)</source>
        <translation>Kyou Douhou (2 han)</translation>
    </message>
    <message>
        <source>四風七対子(3翻)</source>
        <translation>Suufuu Chiitoitsu (3 han)</translation>
    </message>
    <message>
        <source>三元七対子(3翻)</source>
        <translation>Sangen Chiitoitsu (3 han)</translation>
    </message>
    <message>
        <source>偶数七対子(3翻)</source>
        <translation>Guusuu Chiitoitsu (3 han)</translation>
    </message>
    <message>
        <source>奇数七対子(3翻)</source>
        <translation>Kisuu Chiitoitsu (3 han)</translation>
    </message>
    <message>
        <source>一色同順(3翻)</source>
        <translation>Iishoku Doujun (3 han)</translation>
    </message>
    <message>
        <source>未成年(3翻)</source>
        <translation>Miseinen (3 han)</translation>
    </message>
    <message>
        <source>鳴き九連宝燈(3翻)</source>
        <translation>Naki Chuuren Poutou (3 han)</translation>
    </message>
    <message>
        <source>米寿(3翻)</source>
        <translation>Beiju (3 han)</translation>
    </message>
    <message>
        <source>清奇数連刻(3翻)</source>
        <translation>Chin Kisuu Renkou (3 han)</translation>
    </message>
    <message>
        <source>両同刻(4翻)</source>
        <translation>Ryandoukou (4 han)</translation>
    </message>
    <message>
        <source>成人式(4翻)</source>
        <translation>Seijinshiki (4 han)</translation>
    </message>
    <message>
        <source>七五三(4翻)</source>
        <translation>Shichigosan (4 han)</translation>
    </message>
    <message>
        <source>セブンアップ(4翻)</source>
        <translation>Seven Up (4 han)</translation>
    </message>
    <message>
        <source>一筒撈月(4翻)</source>
        <translation>Iipin Raoyue (4 han)</translation>
    </message>
    <message>
        <source>連字混一色(4翻)</source>
        <translation>Renji Honitsu (4 han)</translation>
    </message>
    <message>
        <source>ペイロン祭り(4翻)</source>
        <translation>Peiron Matsuri (4 han)</translation>
    </message>
    <message>
        <source>双竜争珠(4翻)</source>
        <translation>Souryuu Soushu (4 han)</translation>
    </message>
    <message>
        <source>清盃口(4翻)</source>
        <translation>Chinpeikou (4 han)</translation>
    </message>
    <message>
        <source>一気注連縄(6翻)</source>
        <translation>Ikki Shimenawa (6 han)</translation>
    </message>
    <message>
        <source>オールインワン(6翻)</source>
        <translation>All in One (6 han)</translation>
    </message>
    <message>
        <source>オールナイン(6翻)</source>
        <translation>All Nine (6 han)</translation>
    </message>
    <message>
        <source>エリア８８(6翻)</source>
        <translation>Area 88 (6 han)</translation>
    </message>
    <message>
        <source>雨台風(役満)</source>
        <translation>Ame Taifuu (yakuman)</translation>
    </message>
    <message>
        <source>風台風(役満)</source>
        <translation>Kaze Taifuu (yakuman)</translation>
    </message>
    <message>
        <source>ウィンドウズ９５(役満)</source>
        <translation>Windows 95 (yakuman)</translation>
    </message>
    <message>
        <source>ウィンドウズ９８(役満)</source>
        <translation>Windows 98 (yakuman)</translation>
    </message>
    <message>
        <source>救急車(役満)</source>
        <translation>Kyuukyuusha (yakuman)</translation>
    </message>
    <message>
        <source>十三無靠(役満)</source>
        <translation>Shiisan Uushii (yakuman)</translation>
    </message>
    <message>
        <source>十四連嵌(役満)</source>
        <translation>Shiisuu Renkan (yakuman)</translation>
    </message>
    <message>
        <source>小乳首(役満)</source>
        <translation>Shou Chikubi (yakuman)</translation>
    </message>
    <message>
        <source>大乳首(役満)</source>
        <translation>Dai Chikubi (yakuman)</translation>
    </message>
    <message>
        <source>西中島南方(役満)</source>
        <translation>Nishinakajima Minamigata (yakuman)</translation>
    </message>
    <message>
        <source>石の上にも三年(役満)</source>
        <translation>Ishi no Ue ni mo Sannen (yakuman)</translation>
    </message>
    <message>
        <source>東大役満(役満)</source>
        <translation>Toudai Yakuman (yakuman)</translation>
    </message>
    <message>
        <source>独釣寒江雪(役満)</source>
        <translation>Dokuchou Kankousetsu (yakuman)</translation>
    </message>
    <message>
        <source>南北戦争(役満)</source>
        <translation>Nanboku Sensou (yakuman)</translation>
    </message>
    <message>
        <source>北極白熊(役満)</source>
        <translation>Hokkyoku Shirokuma (yakuman)</translation>
    </message>
    <message>
        <source>大竹林(役満)</source>
        <translation>Daichikurin (yakuman)</translation>
    </message>
    <message>
        <source>紅孔雀(役満)</source>
        <translation>Beni Kujaku (yakuman)</translation>
    </message>
    <message>
        <source>紅一点(役満)</source>
        <translation>Kouitten (yakuman)</translation>
    </message>
    <message>
        <source>大草原(役満)</source>
        <translation>Daisougen (yakuman)</translation>
    </message>
    <message>
        <source>花鳥風月(役満)</source>
        <translation>Kachou Fuugetsu (yakuman)</translation>
    </message>
    <message>
        <source>風花雪月(役満)</source>
        <translation>Fuuka Setsugetsu (yakuman)</translation>
    </message>
    <message>
        <source>宝紅開花(役満)</source>
        <translation>Houkou Kaika (yakuman)</translation>
    </message>
    <message>
        <source>世界一(役満)</source>
        <translation>Sekaiichi (yakuman)</translation>
    </message>
    <message>
        <source>一色四歩(役満)</source>
        <translation>Iishoku Yonpo (yakuman)</translation>
    </message>
    <message>
        <source>東北新幹線(役満)</source>
        <translation>Touhoku Shinkansen (yakuman)</translation>
    </message>
    <message>
        <source>青函連絡船(役満)</source>
        <translation>Seikan Renrakusen (yakuman)</translation>
    </message>
    <message>
        <source>上越新幹線あさひ(役満)</source>
        <translation>Joetsu Shinkansen Asahi (yakuman)</translation>
    </message>
    <message>
        <source>青函トンネル(役満)</source>
        <translation>Seikan Tunnel (yakuman)</translation>
    </message>
    <message>
        <source>紀州五十五万石(役満)</source>
        <translation>Kishuu Gojuugomangoku (yakuman)</translation>
    </message>
    <message>
        <source>九十九里浜(役満)</source>
        <translation>Kujuukuri Hama (yakuman)</translation>
    </message>
    <message>
        <source>除夜の鐘(役満)</source>
        <translation>Joya no Kane (yakuman)</translation>
    </message>
    <message>
        <source>五龍鳴動(役満)</source>
        <translation>Goryuu Meidou (yakuman)</translation>
    </message>
    <message>
        <source>四跳牌刻(役満)</source>
        <translation>Suu Choupaikou (yakuman)</translation>
    </message>
    <message>
        <source>金門橋(役満)</source>
        <translation>Kinmonkyou (yakuman)</translation>
    </message>
    <message>
        <source>頭槓和(役満)</source>
        <translation>Toukanhou (yakuman)</translation>
    </message>
    <message>
        <source>変形九連宝燈(役満)</source>
        <translation>Henkei Chuuren Poutou (yakuman)</translation>
    </message>
    <message>
        <source>非常食(役満)</source>
        <translation>Hijoushoku (yakuman)</translation>
    </message>
    <message>
        <source>石の上にも三年(ダブル役満)</source>
        <translation>Ishi no Ue ni mo Sannen (double yakuman)</translation>
    </message>
    <message>
        <source>七福星(ダブル役満)</source>
        <translation>Shichifukusei (double yakuman)</translation>
    </message>
    <message>
        <source>超三元(ダブル役満)</source>
        <translation>Chousangen (double yakuman)</translation>
    </message>
    <message>
        <source>超四喜(ダブル役満)</source>
        <translation>Chousuushii (double yakuman)</translation>
    </message>
    <message>
        <source>十三龍門(トリプル役満)</source>
        <translation>Shiisan Ryuumon (triple yakuman)</translation>
    </message>
    <message>
        <source>なし</source>
        <translation>None</translation>
    </message>
    <message>
        <source>平和</source>
        <translation>Pinfu</translation>
    </message>
    <message>
        <source>断ヤオ九</source>
        <translation>Tanyao</translation>
    </message>
    <message>
        <source>一盃口</source>
        <translation>Iipeikou</translation>
    </message>
    <message>
        <source>翻牌</source>
        <translation>Yakuhai</translation>
    </message>
    <message>
        <source>対々和</source>
        <translation>Toitoi</translation>
    </message>
    <message>
        <source>全帯ヤオ</source>
        <translation>Chanta</translation>
    </message>
    <message>
        <source>三色同順</source>
        <translation>Sanshoku</translation>
    </message>
    <message>
        <source>一気通貫</source>
        <translation>Ittsuu</translation>
    </message>
    <message>
        <source>三色同刻</source>
        <translation>Sanshoku Doukou</translation>
    </message>
    <message>
        <source>混老頭</source>
        <translation>Honroutou</translation>
    </message>
    <message>
        <source>三暗刻</source>
        <translation>Sanankou</translation>
    </message>
    <message>
        <source>三槓子</source>
        <translation>Sankantsu</translation>
    </message>
    <message>
        <source>小三元</source>
        <translation>Shousangen</translation>
    </message>
    <message>
        <source>七対子</source>
        <translation>Chiitoitsu</translation>
    </message>
    <message>
        <source>三連刻</source>
        <translation>Sanrenkou</translation>
    </message>
    <message>
        <source>一色三順</source>
        <translation>Iishoku Sanjun</translation>
    </message>
    <message>
        <source>二盃口</source>
        <translation>Ryanpeikou</translation>
    </message>
    <message>
        <source>混一色</source>
        <translation>Honitsu</translation>
    </message>
    <message>
        <source>純全帯ヤオ</source>
        <translation>Junchan</translation>
    </message>
    <message>
        <source>清一色</source>
        <translation>Chinitsu</translation>
    </message>
    <message>
        <source>国士無双</source>
        <translation>Kokushi Musou</translation>
    </message>
    <message>
        <source>四暗刻</source>
        <translation>Suuankou</translation>
    </message>
    <message>
        <source>大三元</source>
        <translation>Daisangen</translation>
    </message>
    <message>
        <source>小四喜</source>
        <translation>Shousuushii</translation>
    </message>
    <message>
        <source>字一色</source>
        <translation>Tsuuiisou</translation>
    </message>
    <message>
        <source>清老頭</source>
        <translation>Chinroutou</translation>
    </message>
    <message>
        <source>緑一色</source>
        <translation>Ryuuiisou</translation>
    </message>
    <message>
        <source>四槓子</source>
        <translation>Suukantsu</translation>
    </message>
    <message>
        <source>九連宝燈</source>
        <translation>Chuuren Poutou</translation>
    </message>
    <message>
        <source>地和</source>
        <translation>Chiihou</translation>
    </message>
    <message>
        <source>人和</source>
        <translation>Renhou</translation>
    </message>
    <message>
        <source>八連荘</source>
        <translation>Paarenchan</translation>
    </message>
    <message>
        <source>十三不搭</source>
        <translation>Shiisan Puutaa</translation>
    </message>
    <message>
        <source>大車輪</source>
        <translation>Daisharin</translation>
    </message>
    <message>
        <source>小車輪</source>
        <translation>Shousharin</translation>
    </message>
    <message>
        <source>四連刻</source>
        <translation>Suurenkou</translation>
    </message>
    <message>
        <source>四連大宝</source>
        <translation>Suuren Daihou</translation>
    </message>
    <message>
        <source>加賀百万石</source>
        <translation>Kaga Hyakumangoku</translation>
    </message>
    <message>
        <source>大四喜</source>
        <translation>Daisuushii</translation>
    </message>
    <message>
        <source>天和</source>
        <translation>Tenhou</translation>
    </message>
    <message>
        <source>特殊役１</source>
        <translation>Special yaku 1</translation>
    </message>
    <message>
        <source>特殊役２</source>
        <translation>Special yaku 2</translation>
    </message>
    <message>
        <source>特殊役３</source>
        <translation>Special yaku 3</translation>
    </message>
</context>
<context>
    <name>plk::AutosaveController</name>
    <message>
        <source>無題</source>
        <translation>Untitled</translation>
    </message>
    <message>
        <source>復元用のコピー「%1」は壊れているため開けません（%2）。

このコピーは「%3」に移しました。</source>
        <translation>The recovery copy &quot;%1&quot; is damaged and cannot be opened (%2).

The copy was moved to &quot;%3&quot;.</translation>
    </message>
</context>
<context>
    <name>plk::CAboutDlg</name>
    <message>
        <source>バージョン情報 PLK-CE</source>
        <translation>About PLK-CE</translation>
    </message>
</context>
<context>
    <name>plk::CAnimationExportDialog</name>
    <message>
        <source>画面全体 (1024 x 768)</source>
        <translation>Whole screen (1024 x 768)</translation>
    </message>
    <message>
        <source>ゲーム画面 (800 x 600)</source>
        <translation>Game screen (800 x 600)</translation>
    </message>
    <message>
        <source>メッセージ (800 x 96)</source>
        <translation>Message (800 x 96)</translation>
    </message>
    <message>
        <source>アニメーションを書き出す</source>
        <translation>Export Animation</translation>
    </message>
    <message>
        <source>コマンド再生</source>
        <translation>Command playback</translation>
    </message>
    <message>
        <source>シンプル再生</source>
        <translation>Simple playback</translation>
    </message>
    <message>
        <source>再生</source>
        <translation>Playback</translation>
    </message>
    <message>
        <source>再生速度</source>
        <translation>Playback speed</translation>
    </message>
    <message>
        <source> 秒まで</source>
        <translation> s at most</translation>
    </message>
    <message>
        <source>長さの上限</source>
        <translation>Length limit</translation>
    </message>
    <message>
        <source> 秒ごと</source>
        <translation> s apart</translation>
    </message>
    <message>
        <source>クリックしない</source>
        <translation>No clicks</translation>
    </message>
    <message>
        <source>クリック</source>
        <translation>Clicks</translation>
    </message>
    <message>
        <source>範囲</source>
        <translation>Region</translation>
    </message>
    <message>
        <source>拡大率</source>
        <translation>Scale</translation>
    </message>
    <message>
        <source>可逆圧縮</source>
        <translation>Lossless</translation>
    </message>
    <message>
        <source>WebP の品質</source>
        <translation>WebP quality</translation>
    </message>
    <message>
        <source>長さ: -&#x3000;フレーム数: -</source>
        <translation>Length: -   Frames: -</translation>
    </message>
    <message>
        <source>長さを調べる</source>
        <translation>Measure Length</translation>
    </message>
    <message>
        <source>書き出す...</source>
        <translation>Export...</translation>
    </message>
    <message>
        <source>キャンセル</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>長さ: %1 秒&#x3000;フレーム数: %2</source>
        <translation>Length: %1 s   Frames: %2</translation>
    </message>
    <message>
        <source>このカットは何も表示しません。</source>
        <translation>This cut shows nothing.</translation>
    </message>
</context>
<context>
    <name>plk::CCelldlg</name>
    <message>
        <source>セルの挿入</source>
        <translation>Insert Frames</translation>
    </message>
    <message>
        <source>セルの削除</source>
        <translation>Delete Frames</translation>
    </message>
    <message>
        <source>挿入するセル数</source>
        <translation>Number of frames to insert</translation>
    </message>
    <message>
        <source>削除するセル数</source>
        <translation>Number of frames to delete</translation>
    </message>
</context>
<context>
    <name>plk::CCharacterCheck</name>
    <message>
        <source>キャラクター名</source>
        <translation>Character name</translation>
    </message>
    <message>
        <source>ローマ字名</source>
        <translation>Romanized name</translation>
    </message>
    <message>
        <source>プロフィール画像のカット</source>
        <translation>Profile picture cut</translation>
    </message>
    <message>
        <source>メニューアイコンのカット</source>
        <translation>Menu icon cut</translation>
    </message>
    <message>
        <source>メッセージウインドウのカット</source>
        <translation>Message window cut</translation>
    </message>
    <message>
        <source>エラー</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>警告</source>
        <translation>Warning</translation>
    </message>
    <message>
        <source>情報</source>
        <translation>Info</translation>
    </message>
    <message>
        <source>リソース パレット</source>
        <translation>Resource palette</translation>
    </message>
    <message>
        <source>カット %1</source>
        <translation>Cut %1</translation>
    </message>
    <message>
        <source>メッセージ %1</source>
        <translation>Message %1</translation>
    </message>
    <message>
        <source>プロフィール</source>
        <translation>Profile</translation>
    </message>
    <message>
        <source>AI 傾向</source>
        <translation>AI tendency</translation>
    </message>
    <message>
        <source>スロット %1</source>
        <translation>Slot %1</translation>
    </message>
    <message>
        <source>%1 行目</source>
        <translation>Row %1</translation>
    </message>
    <message>
        <source>カット全体</source>
        <translation>Whole cut</translation>
    </message>
    <message>
        <source>%1 行目のセリフ</source>
        <translation>Line %1</translation>
    </message>
    <message>
        <source>ウインドウのカット</source>
        <translation>Window cut</translation>
    </message>
    <message>
        <source>キャラクターチェック</source>
        <translation>Character Check</translation>
    </message>
    <message>
        <source>場所</source>
        <translation>Place</translation>
    </message>
    <message>
        <source>内容</source>
        <translation>Finding</translation>
    </message>
    <message>
        <source>再チェック</source>
        <translation>Check Again</translation>
    </message>
    <message>
        <source>閉じる</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>チェック中…</source>
        <translation>Checking…</translation>
    </message>
    <message>
        <source>チェックできませんでした: %1</source>
        <translation>Could not check: %1</translation>
    </message>
    <message>
        <source>%1 (%2)</source>
        <comment>severity (count)</comment>
        <translation>%1 (%2)</translation>
    </message>
    <message>
        <source>問題は見つかりませんでした。</source>
        <translation>No problems found.</translation>
    </message>
    <message>
        <source>エラー %1 件、警告 %2 件、情報 %3 件</source>
        <translation>Errors: %1, warnings: %2, info: %3</translation>
    </message>
</context>
<context>
    <name>plk::CControlCommand</name>
    <message>
        <source>Control Command</source>
        <translation>Control Command</translation>
    </message>
    <message>
        <source>表示メッセージ</source>
        <translation>Message</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>キャンセル</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>「%1」は制御コマンドではありません。一覧からコマンドを選んでください。</source>
        <translation>&quot;%1&quot; is not a control command. Choose a command from the list.</translation>
    </message>
</context>
<context>
    <name>plk::CCutName</name>
    <message>
        <source>カットの名称</source>
        <translation>Cut Name</translation>
    </message>
</context>
<context>
    <name>plk::CMainFrame</name>
    <message>
        <source>レディ</source>
        <translation>Ready</translation>
    </message>
    <message>
        <source>無題</source>
        <translation>Untitled</translation>
    </message>
    <message>
        <source>新規作成	Ctrl+N(&amp;N)</source>
        <translation>&amp;New	Ctrl+N</translation>
    </message>
    <message>
        <source>CREファイルを開く&#x3000;	Ctrl+O(&amp;O)</source>
        <translation>&amp;Open CRE File...	Ctrl+O</translation>
    </message>
    <message>
        <source>名前をつけて保存	Ctrl+S(&amp;S)</source>
        <translation>&amp;Save As...	Ctrl+S</translation>
    </message>
    <message>
        <source>上書き保存</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>チェック...</source>
        <translation>Check Character...</translation>
    </message>
    <message>
        <source>実行形式でエクスポート</source>
        <translation>Export for the Game...</translation>
    </message>
    <message>
        <source>アニメーションを書き出す...</source>
        <translation>Export Animation...</translation>
    </message>
    <message>
        <source>プロパティ</source>
        <translation>Properties</translation>
    </message>
    <message>
        <source>印刷...	Ctrl+P(&amp;P)</source>
        <translation>&amp;Print...	Ctrl+P</translation>
    </message>
    <message>
        <source>印刷プレビュー(&amp;V)</source>
        <translation>Print Pre&amp;view</translation>
    </message>
    <message>
        <source>プリンタの設定(&amp;R)...</source>
        <translation>P&amp;rint Setup...</translation>
    </message>
    <message>
        <source>最近使ったファイル</source>
        <translation>Recent Files</translation>
    </message>
    <message>
        <source>アプリケーションの終了(&amp;X)</source>
        <translation>E&amp;xit</translation>
    </message>
    <message>
        <source>元に戻す	Ctrl+Z</source>
        <translation>Undo	Ctrl+Z</translation>
    </message>
    <message>
        <source>やり直し	Ctrl+Y</source>
        <translation>Redo	Ctrl+Y</translation>
    </message>
    <message>
        <source>切り取り(&amp;T)	Ctrl+X</source>
        <translation>Cu&amp;t	Ctrl+X</translation>
    </message>
    <message>
        <source>コピー(&amp;C)	Ctrl+C</source>
        <translation>&amp;Copy	Ctrl+C</translation>
    </message>
    <message>
        <source>貼り付け(&amp;P)	Ctrl+V</source>
        <translation>&amp;Paste	Ctrl+V</translation>
    </message>
    <message>
        <source>ツール バー(&amp;T)</source>
        <translation>&amp;Toolbar</translation>
    </message>
    <message>
        <source>ステータス バー(&amp;S)</source>
        <translation>&amp;Status Bar</translation>
    </message>
    <message>
        <source>リソース パレット(&amp;R)</source>
        <translation>&amp;Resource Palette</translation>
    </message>
    <message>
        <source>メッセージ ブラウザ(&amp;M)</source>
        <translation>&amp;Message Browser</translation>
    </message>
    <message>
        <source>プロフィール ブラウザ(&amp;P)</source>
        <translation>&amp;Profile Browser</translation>
    </message>
    <message>
        <source>プレビュー(&amp;V)</source>
        <translation>Pre&amp;view</translation>
    </message>
    <message>
        <source>プレビュー コントロール(&amp;C)</source>
        <translation>Preview &amp;Control</translation>
    </message>
    <message>
        <source>タイムシート(&amp;I)</source>
        <translation>T&amp;ime Sheet</translation>
    </message>
    <message>
        <source>キャラクターチェック(&amp;K)</source>
        <translation>Character Chec&amp;k</translation>
    </message>
    <message>
        <source>サンプルキャラクターを開く</source>
        <translation>Open the Sample Character</translation>
    </message>
    <message>
        <source>バージョン情報 PLK-CE(&amp;A)...</source>
        <translation>&amp;About PLK-CE...</translation>
    </message>
    <message>
        <source>ファイル(&amp;F)</source>
        <translation>&amp;File</translation>
    </message>
    <message>
        <source>編集(&amp;E)</source>
        <translation>&amp;Edit</translation>
    </message>
    <message>
        <source>表示(&amp;V)</source>
        <translation>&amp;View</translation>
    </message>
    <message>
        <source>ヘルプ(&amp;H)</source>
        <translation>&amp;Help</translation>
    </message>
    <message>
        <source>CREファイルを開く
CREファイルを開く</source>
        <translation>Open a CRE file
Open CRE File</translation>
    </message>
    <message>
        <source>実行形式でエクスポート
実行形式でエクスポート</source>
        <translation>Export the character in the game&apos;s format
Export for the Game</translation>
    </message>
    <message>
        <source>現在のカットをGIFまたはWebPのアニメーションとして書き出す
アニメーションを書き出す</source>
        <translation>Export the current cut as an animated GIF or WebP
Export Animation</translation>
    </message>
    <message>
        <source>CREファイルとして保存
CREファイルとして保存</source>
        <translation>Save as a CRE file
Save as CRE File</translation>
    </message>
    <message>
        <source>上書き保存
上書き保存</source>
        <translation>Save over the project file
Save</translation>
    </message>
    <message>
        <source>新規にファイルを作成
新規ファイル</source>
        <translation>Create a new file
New File</translation>
    </message>
    <message>
        <source>選択範囲を切り取ってクリップボードに移動します
切り取り</source>
        <translation>Cut the selection to the clipboard
Cut</translation>
    </message>
    <message>
        <source>選択範囲をコピーしてクリップボードに保存します
コピー</source>
        <translation>Copy the selection to the clipboard
Copy</translation>
    </message>
    <message>
        <source>クリップボードの内容を挿入します
貼り付け</source>
        <translation>Insert the clipboard&apos;s contents
Paste</translation>
    </message>
    <message>
        <source>直前に行った動作を元に戻します
元に戻す</source>
        <translation>Undo the last action
Undo</translation>
    </message>
    <message>
        <source>直前に元に戻した動作をやり直します
やり直し</source>
        <translation>Redo the last action undone
Redo</translation>
    </message>
    <message>
        <source>アクティブなドキュメントを印刷します
印刷</source>
        <translation>Print the active document
Print</translation>
    </message>
    <message>
        <source>プログラム情報、バージョン、著作権を表示します
バージョン情報</source>
        <translation>Show the program&apos;s version and copyright
About</translation>
    </message>
    <message>
        <source>ツール バー</source>
        <translation>Toolbar</translation>
    </message>
    <message>
        <source>「%1」を保存しました。</source>
        <translation>Saved &quot;%1&quot;.</translation>
    </message>
    <message>
        <source>「%1」にエクスポートしました。</source>
        <translation>Exported &quot;%1&quot;.</translation>
    </message>
</context>
<context>
    <name>plk::CMessageBrowser</name>
    <message>
        <source>\charaの書式に誤りがあります：&apos;,&apos;が抜けている可能性があります</source>
        <translation>\chara is malformed: a &apos;,&apos; may be missing</translation>
    </message>
    <message>
        <source>\charaの書式に誤りがあります：&apos;)&apos;が抜けている可能性があります</source>
        <translation>\chara is malformed: a &apos;)&apos; may be missing</translation>
    </message>
    <message>
        <source>%1 のセリフ%2:
%3</source>
        <translation>%1, line %2:
%3</translation>
    </message>
    <message>
        <source>セリフの編集</source>
        <translation>Edit Line</translation>
    </message>
    <message>
        <source>頻度の変更</source>
        <translation>Change Frequency</translation>
    </message>
    <message>
        <source>カットの変更</source>
        <translation>Change Cut</translation>
    </message>
    <message>
        <source>全メッセージのカットの変更</source>
        <translation>Change Cut of All Messages</translation>
    </message>
    <message>
        <source>%1 / %2 バイト</source>
        <translation>%1 / %2 bytes</translation>
    </message>
    <message>
        <source>セリフ%1 のプレビュー</source>
        <translation>Preview of line %1</translation>
    </message>
    <message>
        <source>セリフ%1: 3行に収まらない部分（表示されません）: %2</source>
        <translation>Line %1: beyond three lines (not shown): %2</translation>
    </message>
    <message>
        <source>よく使う</source>
        <translation>Often</translation>
    </message>
    <message>
        <source>普通</source>
        <translation>Normal</translation>
    </message>
    <message>
        <source>ほとんど使わない</source>
        <translation>Rarely</translation>
    </message>
    <message>
        <source>まったく使わない</source>
        <translation>Never</translation>
    </message>
    <message>
        <source>メッセージウインドウカット</source>
        <translation>Message window cut</translation>
    </message>
    <message>
        <source>セリフ%1</source>
        <translation>Line %1</translation>
    </message>
    <message>
        <source>頻度</source>
        <translation>Frequency</translation>
    </message>
    <message>
        <source>カット</source>
        <translation>Cut</translation>
    </message>
</context>
<context>
    <name>plk::CPlaybackControls</name>
    <message>
        <source>再生速度</source>
        <translation>Speed</translation>
    </message>
    <message>
        <source>フレーム</source>
        <translation>Frame</translation>
    </message>
    <message>
        <source>オートリピート</source>
        <translation>Auto repeat</translation>
    </message>
    <message>
        <source>フレームスキップ有効</source>
        <translation>Skip frames</translation>
    </message>
    <message>
        <source>巻き戻し: 1 フレーム目を表示します</source>
        <translation>Rewind: show the first frame</translation>
    </message>
    <message>
        <source>一時停止 / 再開</source>
        <translation>Pause / resume</translation>
    </message>
    <message>
        <source>シンプル再生: 通常フレームだけを順に再生します (制御フレームは飛ばします)</source>
        <translation>Simple play: play the normal frames in order (control frames are skipped)</translation>
    </message>
    <message>
        <source>コマンド再生: 制御フレームを実行してゲームと同じように再生します</source>
        <translation>Command play: run the control frames and play as the game does</translation>
    </message>
    <message>
        <source>再生速度 (1 秒あたりのフレーム数)</source>
        <translation>Playback speed (frames per second)</translation>
    </message>
    <message>
        <source>表示するフレーム</source>
        <translation>Frame shown</translation>
    </message>
    <message>
        <source> %1 フレーム</source>
        <translation> Frame %1</translation>
    </message>
    <message>
        <source>再生速度 %1 Frame/Sec</source>
        <translation>Speed %1 fps</translation>
    </message>
</context>
<context>
    <name>plk::CPreView</name>
    <message>
        <source>フレーム表示中: ←→ , . で前後のフレーム、Home End で最初と最後、Ctrl+←→ で前後の制御フレームへ</source>
        <translation>Frames: ←→ , . previous/next, Home End first/last, Ctrl+←→ control frames</translation>
    </message>
    <message>
        <source>画像の配置中: 矢印キーとドラッグでパレットの画像を動かします（, . でフレーム送り）</source>
        <translation>Placing: arrow keys or dragging move the palette image (, . step frames)</translation>
    </message>
</context>
<context>
    <name>plk::CPreViewCtrl</name>
    <message>
        <source>常に最前面</source>
        <translation>Always on top</translation>
    </message>
    <message>
        <source>X（横方向）のサイズ</source>
        <translation>X (horizontal) size</translation>
    </message>
    <message>
        <source>Y（縦方向）のサイズ</source>
        <translation>Y (vertical) size</translation>
    </message>
    <message>
        <source>背景</source>
        <translation>Background</translation>
    </message>
    <message>
        <source>同期</source>
        <translation>Sync</translation>
    </message>
    <message>
        <source>アルファ値</source>
        <translation>Alpha</translation>
    </message>
    <message>
        <source>ガイド</source>
        <translation>Guides</translation>
    </message>
    <message>
        <source>罫線</source>
        <translation>Grid</translation>
    </message>
    <message>
        <source>中央クロスバー</source>
        <translation>Centre crossbar</translation>
    </message>
    <message>
        <source>中央クロスバー（リソース）</source>
        <translation>Centre crossbar (resource)</translation>
    </message>
    <message>
        <source>800×600枠</source>
        <translation>800×600 frame</translation>
    </message>
    <message>
        <source>キャラクターメッセージ</source>
        <translation>Character message</translation>
    </message>
    <message>
        <source>キャラクターメニューアイコン</source>
        <translation>Character menu icon</translation>
    </message>
    <message>
        <source>なし</source>
        <translation>None</translation>
    </message>
    <message>
        <source>アニメーション</source>
        <translation>Animation</translation>
    </message>
    <message>
        <source>ウインドウに合わせる</source>
        <translation>Fit to window</translation>
    </message>
    <message>
        <source>画面全体（1024 x 768）をウインドウの大きさに合わせて表示します</source>
        <translation>Shows the whole screen (1024 x 768) scaled to the window</translation>
    </message>
    <message>
        <source>オニオンスキン</source>
        <translation>Onion skin</translation>
    </message>
    <message>
        <source>前後のフレームを薄く重ねて表示します（前は赤、後は青緑）&#x3000;%1</source>
        <translation>Shows the frames before and after faintly (before in red, after in cyan)  %1</translation>
    </message>
    <message>
        <source>前後それぞれのフレーム数</source>
        <translation>Frames on each side</translation>
    </message>
    <message>
        <source>前後</source>
        <translation>Each side</translation>
    </message>
</context>
<context>
    <name>plk::CProfileBrowser</name>
    <message>
        <source>キャラクタ</source>
        <translation>Character</translation>
    </message>
    <message>
        <source>麻雀</source>
        <translation>Mahjong</translation>
    </message>
    <message>
        <source>キャラクター名「%1」:%2</source>
        <translation>Character name &quot;%1&quot;:%2</translation>
    </message>
    <message>
        <source>英字名「%1」:%2</source>
        <translation>Roman name &quot;%1&quot;:%2</translation>
    </message>
    <message>
        <source>このプロジェクトに保存されている次の名前は入力の規則に合いませんが、変えずにそのまま残しました。
%1</source>
        <translation>These names stored in the project break the input rules; they were kept as they are.
%1</translation>
    </message>
    <message>
        <source>プロフィールの編集</source>
        <translation>Edit Profile</translation>
    </message>
    <message>
        <source>カットの変更</source>
        <translation>Change Cut</translation>
    </message>
    <message>
        <source>傾向の変更</source>
        <translation>Change Tendency</translation>
    </message>
    <message>
        <source>キャラクター名</source>
        <translation>Character name</translation>
    </message>
    <message>
        <source>英字名</source>
        <translation>Roman name</translation>
    </message>
    <message>
        <source>愛称</source>
        <translation>Nickname</translation>
    </message>
    <message>
        <source>年齢</source>
        <translation>Age</translation>
    </message>
    <message>
        <source>国籍</source>
        <translation>Nationality</translation>
    </message>
    <message>
        <source>身長/体重</source>
        <translation>Height/Weight</translation>
    </message>
    <message>
        <source>スリーサイズ</source>
        <translation>Measurements</translation>
    </message>
    <message>
        <source>プロフィールカット</source>
        <translation>Profile cut</translation>
    </message>
    <message>
        <source>メニューアイコンカット</source>
        <translation>Menu icon cut</translation>
    </message>
    <message>
        <source>メッセージウインドウカット</source>
        <translation>Message window cut</translation>
    </message>
    <message>
        <source>テキスト</source>
        <translation>Text</translation>
    </message>
    <message>
        <source>フリーワード</source>
        <translation>Free words</translation>
    </message>
    <message>
        <source>グラフィック</source>
        <translation>Graphics</translation>
    </message>
    <message>
        <source>メッセージウインドウカットの変更</source>
        <translation>Change Message Window Cut</translation>
    </message>
    <message>
        <source>特殊役</source>
        <translation>Special yaku</translation>
    </message>
    <message>
        <source>雀力レベル</source>
        <translation>Playing strength</translation>
    </message>
    <message>
        <source>弱</source>
        <translation>Weak</translation>
    </message>
    <message>
        <source>強</source>
        <translation>Strong</translation>
    </message>
    <message>
        <source>傾向</source>
        <translation>Style</translation>
    </message>
    <message>
        <source>タンヤオ系</source>
        <translation>Tanyao</translation>
    </message>
    <message>
        <source>チャンタ系</source>
        <translation>Chanta</translation>
    </message>
    <message>
        <source>ピンフ系</source>
        <translation>Pinfu</translation>
    </message>
    <message>
        <source>トイトイ系</source>
        <translation>Toitoi</translation>
    </message>
    <message>
        <source>低め役</source>
        <translation>Cheap yaku</translation>
    </message>
    <message>
        <source>高め役</source>
        <translation>Costly yaku</translation>
    </message>
    <message>
        <source>特に設定する役</source>
        <translation>Favourite yaku</translation>
    </message>
    <message>
        <source>0に設定するとその役を全く狙わなくなります</source>
        <translation>At 0 the character never aims for this yaku</translation>
    </message>
</context>
<context>
    <name>plk::CResourcePalette</name>
    <message>
        <source>ワールド座標の変更</source>
        <translation>Change World Position</translation>
    </message>
    <message>
        <source>セルサイズ</source>
        <translation>Cell size</translation>
    </message>
    <message>
        <source>ワールド座標</source>
        <translation>World position</translation>
    </message>
    <message>
        <source>X座標</source>
        <translation>X</translation>
    </message>
    <message>
        <source>Y座標</source>
        <translation>Y</translation>
    </message>
    <message>
        <source>%1: リソースなし</source>
        <translation>%1: no resource</translation>
    </message>
    <message>
        <source>%1: 空き</source>
        <translation>%1: free</translation>
    </message>
    <message>
        <source>パス: %1</source>
        <translation>Path: %1</translation>
    </message>
    <message>
        <source>見つかりません: このパスにファイルがありません。右クリックの「リンクし直す...」で新しいファイルを選べます。</source>
        <translation>Missing: there is no file at this path. Right-click and choose &quot;Relink...&quot; to pick a new file.</translation>
    </message>
    <message>
        <source>種類: WAVE サウンド</source>
        <translation>Kind: WAVE sound</translation>
    </message>
    <message>
        <source>種類: PNG 画像</source>
        <translation>Kind: PNG image</translation>
    </message>
    <message>
        <source>大きさ: 読み込めていません</source>
        <translation>Size: not loaded</translation>
    </message>
    <message>
        <source>大きさ: %1 × %2</source>
        <translation>Size: %1 × %2</translation>
    </message>
    <message>
        <source>ワールド座標: (%1, %2)</source>
        <translation>World position: (%1, %2)</translation>
    </message>
    <message>
        <source>リソースの読み込み・更新</source>
        <translation>Load or Update Resource</translation>
    </message>
    <message>
        <source>リソースの削除</source>
        <translation>Delete Resource</translation>
    </message>
    <message>
        <source>リンクし直す...</source>
        <translation>Relink...</translation>
    </message>
    <message>
        <source>リソースの読み込み</source>
        <translation>Load Resource</translation>
    </message>
    <message>
        <source>リソースの更新</source>
        <translation>Update Resource</translation>
    </message>
    <message>
        <source>リソースのドロップ</source>
        <translation>Drop Resources</translation>
    </message>
    <message>
        <source>「%1」は読み込めません。PNG 画像か WAVE サウンドのファイルを選んでください。</source>
        <translation>&quot;%1&quot; cannot be loaded. Choose a PNG image or a WAVE sound file.</translation>
    </message>
    <message>
        <source>「%1」を PNG 画像として読み込めませんでした。</source>
        <translation>&quot;%1&quot; could not be read as a PNG image.</translation>
    </message>
    <message>
        <source>「%1」を WAVE サウンドとして読み込めませんでした。</source>
        <translation>&quot;%1&quot; could not be read as a WAVE sound.</translation>
    </message>
    <message>
        <source>リソースを読み込んでいます...</source>
        <translation>Loading resources...</translation>
    </message>
    <message>
        <source>次のリソースのファイルが見つかりませんでした。ファイルを元の場所に戻すか、プロジェクトファイルのフォルダーに置いてからプロジェクトを開き直してください。リソースパレットでスロットを右クリックして「リンクし直す...」を選ぶこともできます。</source>
        <translation>The files of these resources were not found. Put the files back where they were, or into the project file&apos;s folder, then open the project again. You can also right-click a slot in the resource palette and choose &quot;Relink...&quot;.</translation>
    </message>
    <message>
        <source>次のリソースのファイルを読み込めませんでした。ファイルが壊れていないか確かめてください。</source>
        <translation>The files of these resources could not be read. Check that they are not damaged.</translation>
    </message>
    <message>
        <source>次のリソースは元の場所になかったため、同じ名前のファイルを見つけて新しい場所に置き換えました。保存すると新しい場所が記録されます。</source>
        <translation>These resources were not where they were recorded; files of the same names were found and their new places used instead. Saving records the new places.</translation>
    </message>
</context>
<context>
    <name>plk::CTimeSheet</name>
    <message>
        <source>リソース指定</source>
        <translation>Resource mode</translation>
    </message>
    <message>
        <source>セルの情報・設定・再生を表示</source>
        <translation>Show cell info, settings and playback</translation>
    </message>
    <message>
        <source>セルの情報・設定・再生をたたむ</source>
        <translation>Hide cell info, settings and playback</translation>
    </message>
    <message>
        <source>セルの情報、設定と再生の操作をグリッドの上に戻します</source>
        <translation>Brings the cell info, settings and playback controls back above the grid</translation>
    </message>
    <message>
        <source>セルの情報、設定と再生の操作をたたんで、グリッドの行を増やします</source>
        <translation>Hides the cell info, settings and playback controls to show more grid rows</translation>
    </message>
    <message>
        <source>範囲指定</source>
        <translation>Range mode</translation>
    </message>
    <message>
        <source>範囲指定: クリック、Shift+クリック、ドラッグで範囲を選びます</source>
        <translation>Range mode: click, Shift+click or drag to select a range</translation>
    </message>
    <message>
        <source>リソース指定: クリックしたセルにパレットで選んだリソースを指定します</source>
        <translation>Resource mode: a clicked cell gets the resource selected in the palette</translation>
    </message>
    <message>
        <source>フレームの切り取り</source>
        <translation>Cut Frames</translation>
    </message>
    <message>
        <source>リソース名で表示</source>
        <translation>Show Resource Names</translation>
    </message>
    <message>
        <source>リソースの指定</source>
        <translation>Assign Resource</translation>
    </message>
</context>
<context>
    <name>plk::CellPropertiesPanel</name>
    <message>
        <source>X移動のトゥイーン</source>
        <translation>Tween Move X</translation>
    </message>
    <message>
        <source>Y移動のトゥイーン</source>
        <translation>Tween Move Y</translation>
    </message>
    <message>
        <source>X伸縮のトゥイーン</source>
        <translation>Tween Scale X</translation>
    </message>
    <message>
        <source>Y伸縮のトゥイーン</source>
        <translation>Tween Scale Y</translation>
    </message>
    <message>
        <source>回転のトゥイーン</source>
        <translation>Tween Rotation</translation>
    </message>
    <message>
        <source>透明度のトゥイーン</source>
        <translation>Tween Alpha</translation>
    </message>
    <message>
        <source>セルの情報</source>
        <translation>Cell info</translation>
    </message>
    <message>
        <source>縦横比を固定</source>
        <translation>Keep aspect ratio</translation>
    </message>
    <message>
        <source>平行移動後に回転を適用</source>
        <translation>Rotate after moving</translation>
    </message>
    <message>
        <source>セルNo</source>
        <translation>Cell No.</translation>
    </message>
    <message>
        <source>位置</source>
        <translation>Position</translation>
    </message>
    <message>
        <source>拡大率</source>
        <translation>Scale</translation>
    </message>
    <message>
        <source>回転</source>
        <translation>Rotation</translation>
    </message>
    <message>
        <source>透明度</source>
        <translation>Alpha</translation>
    </message>
    <message>
        <source>設定</source>
        <translation>Tween settings</translation>
    </message>
    <message>
        <source>規定値</source>
        <translation>Default</translation>
    </message>
    <message>
        <source>開始値</source>
        <translation>Start</translation>
    </message>
    <message>
        <source>終了値</source>
        <translation>End</translation>
    </message>
    <message>
        <source>リミテッド単位</source>
        <translation>Limited step</translation>
    </message>
    <message>
        <source>Ｘ移動</source>
        <translation>Move X</translation>
    </message>
    <message>
        <source>Ｙ移動</source>
        <translation>Move Y</translation>
    </message>
    <message>
        <source>Ｘ伸縮</source>
        <translation>Scale X</translation>
    </message>
    <message>
        <source>Ｙ伸縮</source>
        <translation>Scale Y</translation>
    </message>
    <message>
        <source>セルNoの入力</source>
        <translation>Enter Cell No.</translation>
    </message>
    <message>
        <source>回転の入力</source>
        <translation>Enter Rotation</translation>
    </message>
    <message>
        <source>透明度の入力</source>
        <translation>Enter Alpha</translation>
    </message>
    <message>
        <source>X座標の入力</source>
        <translation>Enter X</translation>
    </message>
    <message>
        <source>Y座標の入力</source>
        <translation>Enter Y</translation>
    </message>
    <message>
        <source>拡大率の入力</source>
        <translation>Enter Scale</translation>
    </message>
</context>
<context>
    <name>plk::HiddenWindowsStrip</name>
    <message>
        <source>隠れているウインドウです。クリックするか、表示 メニューで表示します</source>
        <translation>Hidden windows. Click one, or use the View menu, to show it</translation>
    </message>
    <message>
        <source>隠れているウインドウ (表示 メニューで戻せます): %1</source>
        <extracomment>%1 lists the hidden windows as links, joined by the list separator.</extracomment>
        <translation>Hidden windows (the View menu brings them back): %1</translation>
    </message>
    <message>
        <source>、</source>
        <comment>list separator</comment>
        <translation>, </translation>
    </message>
</context>
<context>
    <name>plk::RecoveryDialog</name>
    <message>
        <source>前回、保存されていない編集が残っています</source>
        <translation>Unsaved edits were left from last time</translation>
    </message>
    <message>
        <source>復元</source>
        <translation>Restore</translation>
    </message>
    <message>
        <source>破棄</source>
        <translation>Discard</translation>
    </message>
    <message>
        <source>後で</source>
        <translation>Later</translation>
    </message>
    <message>
        <source>（保存されていないプロジェクト）</source>
        <translation>(project never saved)</translation>
    </message>
    <message>
        <source>%1 の編集</source>
        <translation>edited %1</translation>
    </message>
    <message>
        <source>※ このコピーはディスク上のファイルより古いものです</source>
        <translation>Note: this copy is older than the file on disk</translation>
    </message>
</context>
</TS>
