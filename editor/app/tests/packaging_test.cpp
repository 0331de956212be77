// The desktop entry and the file type must agree with each other and with the files the
// editor writes.
#include "editor/document/pattern_file.h"

#include <QFile>
#include <QRegularExpression>

#include <gtest/gtest.h>

namespace brenmark {
namespace {

QString packagingFile(const char* name)
{
    QFile file(QString::fromUtf8(BRENMARK_SOURCE_DIR "/packaging/") + QString::fromUtf8(name));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << name;
    return QString::fromUtf8(file.readAll());
}

QString entryValue(const QString& entry, const QString& key)
{
    const QRegularExpression line(u"^"_qs + QRegularExpression::escape(key) + u"=(.*)$"_qs,
                                  QRegularExpression::MultilineOption);
    return line.match(entry).captured(1);
}

TEST(Packaging, TheDesktopEntryOpensTheFileTypeItDeclares)
{
    const QString entry = packagingFile("brenmark.desktop");
    const QString mime = packagingFile("brenmark-xiu.xml");
    const QString type = QRegularExpression(u"<mime-type type=\"([^\"]+)\""_qs).match(mime).captured(1);
    ASSERT_FALSE(type.isEmpty());
    EXPECT_TRUE(entryValue(entry, u"MimeType"_qs).split(u';').contains(type));
    EXPECT_TRUE(entryValue(entry, u"Exec"_qs).endsWith(u" %f"_qs));
    EXPECT_EQ(entryValue(entry, u"Type"_qs), u"Application"_qs);
    EXPECT_TRUE(mime.contains(u"<glob pattern=\"*.xiu\"/>"_qs));
}

TEST(Packaging, TheMagicIsWhatEverySavedPatternBeginsWith)
{
    const QString mime = packagingFile("brenmark-xiu.xml");
    const QString magic =
        QRegularExpression(u"<match type=\"string\" offset=\"0\" value=\"([^\"]+)\""_qs).match(mime).captured(1);
    ASSERT_FALSE(magic.isEmpty());
    PatternDocument doc;
    doc.create(1, 1, "DMC");
    const std::vector<std::uint8_t> bytes = encodePattern(doc);
    ASSERT_GE(bytes.size(), static_cast<std::size_t>(magic.size()));
    EXPECT_EQ(QByteArray(reinterpret_cast<const char*>(bytes.data()), magic.size()), magic.toLatin1());
}

}  // namespace
}  // namespace brenmark
