<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="ja">
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
</TS>
