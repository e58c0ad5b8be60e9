#include <initializer_list>

#include "core/content/tendency.h"
#include "core/text/sjis.h"
#include "sample_project.h"

namespace plk::tools {
namespace {

// Cuts the lines are shown with.
constexpr int kIdle = 0;
constexpr int kTalk = 1;
constexpr int kWin = 2;
constexpr int kCharge = 3;

constexpr int kOften = 3;
constexpr int kNormal = 2;
constexpr int kRarely = 1;

struct Line {
    const char* text;  // UTF-8
    int frequency;
};

struct Situation {
    int cut;
    std::initializer_list<Line> lines;
};

// Hinata speaks politely but warmly, a little playful; she loves sweets and seven pairs.
// One entry per situation, in the order of the message browser's tabs.
const Situation kSituations[kSituationCount] = {
    // Ａ：テンパイ
    {kTalk,
     {{"よし、テンパイです！　あとはアガリ牌を待つだけですね。", kOften},
      {"ふふっ、ちょっとドキドキしてきました。", kNormal}}},
    // Ｂ：ノーテン
    {kTalk, {{"うう……ノーテンです。次こそはがんばります！", kOften}}},
    // Ｃ：ポン
    {kTalk, {{"ポン！　これはいただきますね。", kOften}, {"ポンです！", kNormal}}},
    // Ｄ：チー
    {kTalk, {{"チー！　いい形になってきました。", kOften}}},
    // Ｅ：カン
    {kTalk, {{"カン！　新しいドラ、のってくれるかな？", kOften}}},
    // Ｆ：リーチ
    {kCharge,
     {{"リーチです！　もう後戻りはしませんよ。", kOften}, {"いきます、リーチ！", kNormal}}},
    // Ｇ：ツモ
    {kWin, {{"ツモ！　やったぁ、自分で引きましたよ！", kOften}}},
    // Ｈ：ロン
    {kWin, {{"ロンです！　ごめんなさい、それ当たりです。", kOften}}},
    // Ｉ：トップ
    {kWin, {{"トップです！　このまま逃げきっちゃいますね。", kOften}}},
    // Ｊ：最下位
    {kTalk, {{"最下位……。でも、まだまだあきらめませんから！", kOften}}},
    // Ｋ：流し満貫
    {kWin, {{"流し満貫！？　こんなこともあるんですね！", kOften}}},
    // Ｌ：マネ満
    {kWin, {{"満貫ですよ！　点数、ちゃんと数えてくださいね。", kOften}}},
    // Ｍ：被直撃時
    {kTalk, {{"えっ、それ当たりなんですか……？　やられちゃいました。", kOften}}},
    // Ｎ：他家アガリ安
    {kIdle, {{"安い手でよかったです。まだまだこれからですね。", kOften}}},
    // Ｏ：他家アガリ中
    {kIdle, {{"むむ、なかなかの手でしたね。", kOften}}},
    // Ｐ：他家アガリ高
    {kTalk, {{"そ、そんなに高いんですか！？　うう、くやしいです。", kOften}}},
    // Ｑ：他家チョンボ
    {kTalk, {{"あらら、チョンボですか？　ドンマイです！", kOften}}},
    // Ｒ：特殊役１ (紅白饅頭)
    {kWin, {{"紅白饅頭です！　おめでたくて、おいしそうな役でしょう？", kOften}}},
    // Ｓ：特殊役２ (パンダ)
    {kWin, {{"パンダです！　白と黒で、かわいい役なんですよ。", kOften}}},
    // Ｔ：特殊役３ (花鳥風月)
    {kWin, {{"花鳥風月……！　一度アガってみたかったんです！", kOften}}},
    // Ｕ：ランダム負
    {kTalk,
     {{"負けてるときこそ、笑顔でいかなきゃですね。", kNormal},
      {"次の一局で、ぜったい取り返します！", kNormal}}},
    // Ｖ：ランダム中
    {kIdle, {{"いい勝負ですね。どっちが勝つか楽しみです。", kNormal}}},
    // Ｗ：ランダム勝
    {kTalk, {{"今日はなんだか、牌が味方してくれてる気がします。", kNormal}}},
    // Ｘ：ランダム他
    {kIdle,
     {{"終わったら、いっしょにいちご大福を食べませんか？", kNormal},
      {"麻雀って、やっぱり楽しいですね。", kRarely}}},
    // Ｙ：開始時
    {kTalk, {{"桜庭ひなたです。今日はよろしくお願いしますね！", kOften}}},
    // Ｚ：序盤
    {kIdle, {{"まずは手なりで、のんびりいきましょう。", kOften}}},
    // ａ：終盤
    {kIdle, {{"そろそろ勝負どころですね。集中、集中……。", kOften}}},
    // ｂ：オーラス時
    {kCharge, {{"いよいよオーラスです。最後まで全力でいきます！", kOften}}},
    // ｃ：指名
    {kTalk, {{"あなたにお相手をお願いしたいです！", kOften}}},
    // ｄ：被指名
    {kTalk, {{"わたしでいいんですか？　うれしいです、がんばります！", kOften}}},
    // ｅ：自家アガリ安
    {kWin, {{"小さくても、アガリはアガリです！", kOften}}},
    // ｆ：自家アガリ中
    {kWin, {{"いい感じです！　この調子でいきますね。", kOften}}},
    // ｇ：自家アガリ高
    {kWin, {{"すごい手になっちゃいました！　点数を数えるの、大変ですよ？", kOften}}},
    // ｈ：自家チョンボ
    {kTalk, {{"ああっ、チョンボしちゃいました……ごめんなさい！", kOften}}},
    // ｉ：捨牌・危険
    {kIdle, {{"これ、通りますように……えいっ！", kOften}}},
    // ｊ：捨牌・安全
    {kIdle, {{"これは安全……のはずです。", kOften}}},
    // ｋ：ＥＸＩＴ
    {kTalk, {{"今日はありがとうございました！　また遊んでくださいね。", kOften}}},
    // ｌ：ヤキトリ脱出
    {kWin, {{"やっとアガれました！　焼き鳥さん、さようならです。", kOften}}},
    // ｍ：ヤキブタ脱出
    {kWin, {{"ヤキブタ脱出です！　ほっとしました……。", kOften}}},
    // ｎ：割れ目時
    {kCharge, {{"割れ目ですか……。ここは慎重にいきますね。", kOften}}},
    // ｚ：メンバー選択時
    {kTalk, {{"わたしを選んでくれるんですか？　よろしくお願いします！", kOften}}},
};

}  // namespace

MessageTable SampleMessages() {
    MessageTable table{};
    ResetMessages(table);
    for (int k = 0; k < kSituationCount; ++k) {
        SituationMessages& situation = table.situations[static_cast<std::size_t>(k)];
        const Situation& sample = kSituations[k];
        // The message window is the talking cut everywhere, as choosing it on the profile
        // page sets it.
        situation.windowCut = kTalk;
        int i = 0;
        for (const Line& line : sample.lines) {
            SetFieldText(situation.line[i].text, ToSjis(line.text));
            situation.line[i].frequency = line.frequency;
            situation.lineCut[i] = sample.cut;
            ++i;
        }
        for (; i < 4; ++i) {
            SetFieldText(situation.line[i].text, "");
            situation.line[i].frequency = 0;
            situation.lineCut[i] = sample.cut;
        }
    }
    return table;
}

ProfileBlock SampleProfile() {
    ProfileBlock block = ResetProfile();
    ProfileRecord& p = block.profile;
    SetFieldText(p.characterName, ToSjis("桜庭ひなた"));
    SetFieldText(p.romanName, "Hinata Sakuraba");
    SetFieldText(p.nickname, ToSjis("ひなた"));
    SetFieldText(p.age, ToSjis("Age:19"));
    SetFieldText(p.nationality, ToSjis("Nation:日本"));
    SetFieldText(p.heightWeight, ToSjis("156cm／ひみつです"));
    SetFieldText(p.threeSizes, ToSjis("ないしょです♪"));
    SetFieldText(p.freeWord1, ToSjis("好きなもの：いちご大福と七対子"));
    SetFieldText(p.freeWord2, ToSjis("苦手なもの：早起きと見逃し"));
    SetFieldText(p.freeWord3, ToSjis("口ぐせ：「ツモっちゃいますよ？」"));
    p.profileCut = kIdle;
    p.menuIconCut = kIdle;
    p.messageWindowCut = kTalk;

    TendencyRecord& t = block.tendency;
    t.specialYaku1 = 11;  // 紅白饅頭
    t.specialYaku2 = 15;  // パンダ
    t.specialYaku3 = 90;  // 花鳥風月
    t.strength = 2;
    t.styleTanyaoChanta = 1;
    t.stylePinfuToitoi = 1;
    t.styleLowHigh = 2;
    t.favourite1 = 14;  // 七対子
    t.weight1 = 4;
    t.favourite2 = 1;  // 平和
    t.weight2 = 3;
    t.favourite3 = 2;  // 断ヤオ九
    t.weight3 = 3;
    t.favourite4 = 41;  // 特殊役１
    t.weight4 = 2;
    t.favourite5 = 7;  // 三色同順
    t.weight5 = 2;
    return block;
}

}  // namespace plk::tools
