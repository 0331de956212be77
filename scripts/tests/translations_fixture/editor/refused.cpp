// For the test that scripts/translations.py refuses a Chinese text outside the catalogue: one
// text marked and translated, one marked without English, one neither marked nor excused, and
// one excused.
void shown()
{
    show(uiText("已标记"));
    show(UI_TEXT_NOOP("没有英文"));
    show("未标记");
    write("文件里的字");  // untranslated: written into a file
}
