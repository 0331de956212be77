<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="zh_CN">
<context>
    <name></name>
    <message id="已标记">
        <source></source>
        <translation>Marked</translation>
    </message>
    <message id="已删除">
        <source></source>
        <translation>Gone</translation>
    </message>
</context>
</TS>
