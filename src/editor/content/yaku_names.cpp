#include "editor/content/yaku_names.h"

#include <QCoreApplication>
#include <iterator>

#include "core/content/tendency.h"

namespace plk {
namespace {
// lupdate reads the names from here; the core holds the same ones in Shift-JIS.
constexpr const char* kSpecialNames[] = {
    QT_TRANSLATE_NOOP("YakuNames", "単鶏金糸(1翻)"),
    QT_TRANSLATE_NOOP("YakuNames", "全求人(1翻)"),
    QT_TRANSLATE_NOOP("YakuNames", "全倒鋪(1翻)"),
    QT_TRANSLATE_NOOP("YakuNames", "パーマン(1翻)"),
    QT_TRANSLATE_NOOP("YakuNames", "アナゴ(1翻)"),
    QT_TRANSLATE_NOOP("YakuNames", "オバＱ(1翻)"),
    QT_TRANSLATE_NOOP("YakuNames", "小三風(1翻)"),
    QT_TRANSLATE_NOOP("YakuNames", "ショカン(1翻)"),
    QT_TRANSLATE_NOOP("YakuNames", "ノッポ(1翻)"),
    QT_TRANSLATE_NOOP("YakuNames", "ポンチーカンロン(1翻)"),
    QT_TRANSLATE_NOOP("YakuNames", "ラストオーダーマーボードウフ(1翻)"),
    QT_TRANSLATE_NOOP("YakuNames", "紅白饅頭(1翻)"),
    QT_TRANSLATE_NOOP("YakuNames", "東發つきもの(1翻)"),
    QT_TRANSLATE_NOOP("YakuNames", "南白つきもの(1翻)"),
    QT_TRANSLATE_NOOP("YakuNames", "中西君(1翻)"),
    QT_TRANSLATE_NOOP("YakuNames", "パンダ(1翻)"),
    QT_TRANSLATE_NOOP("YakuNames", "青春に悔いなし(1翻)"),
    QT_TRANSLATE_NOOP("YakuNames", "アル中(1翻)"),
    QT_TRANSLATE_NOOP("YakuNames", "暗中模索(1翻)"),
    QT_TRANSLATE_NOOP("YakuNames", "ルート２４６(1翻)"),
    QT_TRANSLATE_NOOP("YakuNames", "二暗刻(1翻)"),
    QT_TRANSLATE_NOOP("YakuNames", "乱風子(1翻)"),
    QT_TRANSLATE_NOOP("YakuNames", "乱将一色(1翻)"),
    QT_TRANSLATE_NOOP("YakuNames", "欠牌和(1翻)"),
    QT_TRANSLATE_NOOP("YakuNames", "カラス(1翻)"),
    QT_TRANSLATE_NOOP("YakuNames", "連風(1翻)"),
    QT_TRANSLATE_NOOP("YakuNames", "銅鑼和(1翻)"),
    QT_TRANSLATE_NOOP("YakuNames", "絶一門(1翻)"),
    QT_TRANSLATE_NOOP("YakuNames", "五心通貫(1翻)"),
    QT_TRANSLATE_NOOP("YakuNames", "五門斎(2翻)"),
    QT_TRANSLATE_NOOP("YakuNames", "異色通貫(2翻)"),
    QT_TRANSLATE_NOOP("YakuNames", "客風三風(2翻)"),
    QT_TRANSLATE_NOOP("YakuNames", "大三喜(2翻)"),
    QT_TRANSLATE_NOOP("YakuNames", "跳牌刻(2翻)"),
    QT_TRANSLATE_NOOP("YakuNames", "筋牌刻(2翻)"),
    QT_TRANSLATE_NOOP("YakuNames", "頂三刻(2翻)"),
    QT_TRANSLATE_NOOP("YakuNames", "偶数連刻(2翻)"),
    QT_TRANSLATE_NOOP("YakuNames", "飛び清一(2翻)"),
    QT_TRANSLATE_NOOP("YakuNames", "三色連刻(2翻)"),
    QT_TRANSLATE_NOOP("YakuNames", "二色二同順(2翻)"),
    QT_TRANSLATE_NOOP("YakuNames", "三色三歩(2翻)"),
    QT_TRANSLATE_NOOP("YakuNames", "一色三歩(2翻)"),
    QT_TRANSLATE_NOOP("YakuNames", "白一点(2翻)"),
    QT_TRANSLATE_NOOP("YakuNames", "西南戦争(2翻)"),
    QT_TRANSLATE_NOOP("YakuNames", "青の洞門(2翻)"),
    QT_TRANSLATE_NOOP("YakuNames", "上越新幹線とき(2翻)"),
    QT_TRANSLATE_NOOP("YakuNames", "ダブルデート(2翻)"),
    QT_TRANSLATE_NOOP("YakuNames", "ゴールドラッシュ(2翻)"),
    QT_TRANSLATE_NOOP("YakuNames", "鏡同和(2翻)"),
    QT_TRANSLATE_NOOP("YakuNames", "四風七対子(3翻)"),
    QT_TRANSLATE_NOOP("YakuNames", "三元七対子(3翻)"),
    QT_TRANSLATE_NOOP("YakuNames", "偶数七対子(3翻)"),
    QT_TRANSLATE_NOOP("YakuNames", "奇数七対子(3翻)"),
    QT_TRANSLATE_NOOP("YakuNames", "一色同順(3翻)"),
    QT_TRANSLATE_NOOP("YakuNames", "未成年(3翻)"),
    QT_TRANSLATE_NOOP("YakuNames", "鳴き九連宝燈(3翻)"),
    QT_TRANSLATE_NOOP("YakuNames", "米寿(3翻)"),
    QT_TRANSLATE_NOOP("YakuNames", "清奇数連刻(3翻)"),
    QT_TRANSLATE_NOOP("YakuNames", "両同刻(4翻)"),
    QT_TRANSLATE_NOOP("YakuNames", "成人式(4翻)"),
    QT_TRANSLATE_NOOP("YakuNames", "七五三(4翻)"),
    QT_TRANSLATE_NOOP("YakuNames", "セブンアップ(4翻)"),
    QT_TRANSLATE_NOOP("YakuNames", "一筒撈月(4翻)"),
    QT_TRANSLATE_NOOP("YakuNames", "連字混一色(4翻)"),
    QT_TRANSLATE_NOOP("YakuNames", "ペイロン祭り(4翻)"),
    QT_TRANSLATE_NOOP("YakuNames", "双竜争珠(4翻)"),
    QT_TRANSLATE_NOOP("YakuNames", "清盃口(4翻)"),
    QT_TRANSLATE_NOOP("YakuNames", "一気注連縄(6翻)"),
    QT_TRANSLATE_NOOP("YakuNames", "オールインワン(6翻)"),
    QT_TRANSLATE_NOOP("YakuNames", "オールナイン(6翻)"),
    QT_TRANSLATE_NOOP("YakuNames", "エリア８８(6翻)"),
    QT_TRANSLATE_NOOP("YakuNames", "雨台風(役満)"),
    QT_TRANSLATE_NOOP("YakuNames", "風台風(役満)"),
    QT_TRANSLATE_NOOP("YakuNames", "ウィンドウズ９５(役満)"),
    QT_TRANSLATE_NOOP("YakuNames", "ウィンドウズ９８(役満)"),
    QT_TRANSLATE_NOOP("YakuNames", "救急車(役満)"),
    QT_TRANSLATE_NOOP("YakuNames", "十三無靠(役満)"),
    QT_TRANSLATE_NOOP("YakuNames", "十四連嵌(役満)"),
    QT_TRANSLATE_NOOP("YakuNames", "小乳首(役満)"),
    QT_TRANSLATE_NOOP("YakuNames", "大乳首(役満)"),
    QT_TRANSLATE_NOOP("YakuNames", "西中島南方(役満)"),
    QT_TRANSLATE_NOOP("YakuNames", "石の上にも三年(役満)"),
    QT_TRANSLATE_NOOP("YakuNames", "東大役満(役満)"),
    QT_TRANSLATE_NOOP("YakuNames", "独釣寒江雪(役満)"),
    QT_TRANSLATE_NOOP("YakuNames", "南北戦争(役満)"),
    QT_TRANSLATE_NOOP("YakuNames", "北極白熊(役満)"),
    QT_TRANSLATE_NOOP("YakuNames", "大竹林(役満)"),
    QT_TRANSLATE_NOOP("YakuNames", "紅孔雀(役満)"),
    QT_TRANSLATE_NOOP("YakuNames", "紅一点(役満)"),
    QT_TRANSLATE_NOOP("YakuNames", "大草原(役満)"),
    QT_TRANSLATE_NOOP("YakuNames", "花鳥風月(役満)"),
    QT_TRANSLATE_NOOP("YakuNames", "風花雪月(役満)"),
    QT_TRANSLATE_NOOP("YakuNames", "宝紅開花(役満)"),
    QT_TRANSLATE_NOOP("YakuNames", "世界一(役満)"),
    QT_TRANSLATE_NOOP("YakuNames", "一色四歩(役満)"),
    QT_TRANSLATE_NOOP("YakuNames", "東北新幹線(役満)"),
    QT_TRANSLATE_NOOP("YakuNames", "青函連絡船(役満)"),
    QT_TRANSLATE_NOOP("YakuNames", "上越新幹線あさひ(役満)"),
    QT_TRANSLATE_NOOP("YakuNames", "青函トンネル(役満)"),
    QT_TRANSLATE_NOOP("YakuNames", "紀州五十五万石(役満)"),
    QT_TRANSLATE_NOOP("YakuNames", "九十九里浜(役満)"),
    QT_TRANSLATE_NOOP("YakuNames", "除夜の鐘(役満)"),
    QT_TRANSLATE_NOOP("YakuNames", "五龍鳴動(役満)"),
    QT_TRANSLATE_NOOP("YakuNames", "四跳牌刻(役満)"),
    QT_TRANSLATE_NOOP("YakuNames", "金門橋(役満)"),
    QT_TRANSLATE_NOOP("YakuNames", "頭槓和(役満)"),
    QT_TRANSLATE_NOOP("YakuNames", "変形九連宝燈(役満)"),
    QT_TRANSLATE_NOOP("YakuNames", "非常食(役満)"),
    QT_TRANSLATE_NOOP("YakuNames", "石の上にも三年(ダブル役満)"),
    QT_TRANSLATE_NOOP("YakuNames", "七福星(ダブル役満)"),
    QT_TRANSLATE_NOOP("YakuNames", "超三元(ダブル役満)"),
    QT_TRANSLATE_NOOP("YakuNames", "超四喜(ダブル役満)"),
    QT_TRANSLATE_NOOP("YakuNames", "十三龍門(トリプル役満)"),
};
static_assert(std::size(kSpecialNames) == kSpecialYakuCount);

constexpr const char* kFavouriteNames[] = {
    QT_TRANSLATE_NOOP("YakuNames", "なし"),       QT_TRANSLATE_NOOP("YakuNames", "平和"),
    QT_TRANSLATE_NOOP("YakuNames", "断ヤオ九"),   QT_TRANSLATE_NOOP("YakuNames", "一盃口"),
    QT_TRANSLATE_NOOP("YakuNames", "翻牌"),       QT_TRANSLATE_NOOP("YakuNames", "対々和"),
    QT_TRANSLATE_NOOP("YakuNames", "全帯ヤオ"),   QT_TRANSLATE_NOOP("YakuNames", "三色同順"),
    QT_TRANSLATE_NOOP("YakuNames", "一気通貫"),   QT_TRANSLATE_NOOP("YakuNames", "三色同刻"),
    QT_TRANSLATE_NOOP("YakuNames", "混老頭"),     QT_TRANSLATE_NOOP("YakuNames", "三暗刻"),
    QT_TRANSLATE_NOOP("YakuNames", "三槓子"),     QT_TRANSLATE_NOOP("YakuNames", "小三元"),
    QT_TRANSLATE_NOOP("YakuNames", "七対子"),     QT_TRANSLATE_NOOP("YakuNames", "三連刻"),
    QT_TRANSLATE_NOOP("YakuNames", "一色三順"),   QT_TRANSLATE_NOOP("YakuNames", "二盃口"),
    QT_TRANSLATE_NOOP("YakuNames", "混一色"),     QT_TRANSLATE_NOOP("YakuNames", "純全帯ヤオ"),
    QT_TRANSLATE_NOOP("YakuNames", "清一色"),     QT_TRANSLATE_NOOP("YakuNames", "国士無双"),
    QT_TRANSLATE_NOOP("YakuNames", "四暗刻"),     QT_TRANSLATE_NOOP("YakuNames", "大三元"),
    QT_TRANSLATE_NOOP("YakuNames", "小四喜"),     QT_TRANSLATE_NOOP("YakuNames", "字一色"),
    QT_TRANSLATE_NOOP("YakuNames", "清老頭"),     QT_TRANSLATE_NOOP("YakuNames", "緑一色"),
    QT_TRANSLATE_NOOP("YakuNames", "四槓子"),     QT_TRANSLATE_NOOP("YakuNames", "九連宝燈"),
    QT_TRANSLATE_NOOP("YakuNames", "地和"),       QT_TRANSLATE_NOOP("YakuNames", "人和"),
    QT_TRANSLATE_NOOP("YakuNames", "八連荘"),     QT_TRANSLATE_NOOP("YakuNames", "十三不搭"),
    QT_TRANSLATE_NOOP("YakuNames", "大車輪"),     QT_TRANSLATE_NOOP("YakuNames", "小車輪"),
    QT_TRANSLATE_NOOP("YakuNames", "四連刻"),     QT_TRANSLATE_NOOP("YakuNames", "四連大宝"),
    QT_TRANSLATE_NOOP("YakuNames", "加賀百万石"), QT_TRANSLATE_NOOP("YakuNames", "大四喜"),
    QT_TRANSLATE_NOOP("YakuNames", "天和"),       QT_TRANSLATE_NOOP("YakuNames", "特殊役１"),
    QT_TRANSLATE_NOOP("YakuNames", "特殊役２"),   QT_TRANSLATE_NOOP("YakuNames", "特殊役３"),
};
static_assert(std::size(kFavouriteNames) == kFavouriteYakuCount);

template <std::size_t N>
const char* SourceName(const char* const (&names)[N], int index) {
    return index >= 0 && index < static_cast<int>(N) ? names[index] : "";
}

QString Translated(const char* name) {
    return *name == '\0' ? QString() : QCoreApplication::translate("YakuNames", name);
}

}  // namespace

const char* SpecialYakuSourceName(int index) {
    return SourceName(kSpecialNames, index);
}

const char* FavouriteYakuSourceName(int index) {
    return SourceName(kFavouriteNames, index);
}

QString SpecialYakuName(int index) {
    return Translated(SpecialYakuSourceName(index));
}

QString FavouriteYakuName(int index) {
    return Translated(FavouriteYakuSourceName(index));
}

}  // namespace plk
