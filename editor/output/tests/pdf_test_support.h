#pragma once
// What poppler's tools read from a PDF the tests printed: the page count, each page's size
// in points, the title, and a page's text.
#include <QProcess>
#include <QRegularExpression>
#include <QSize>
#include <QString>
#include <QStringList>

#include <vector>

namespace brenmark::test {

inline QString runTool(const QString& program, const QStringList& args)
{
    QProcess process;
    process.start(program, args);
    if (!process.waitForFinished(30000) || process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0)
        return {};
    return QString::fromUtf8(process.readAllStandardOutput());
}

struct PdfFacts {
    int pages = -1;  // -1: pdfinfo could not read the file (or is not installed)
    std::vector<QSize> sizes;
    QString title;
};

inline PdfFacts pdfFacts(const QString& path)
{
    PdfFacts facts;
    const QString info = runTool(u"pdfinfo"_qs, {u"-f"_qs, u"1"_qs, u"-l"_qs, u"9999"_qs, path});
    const QRegularExpression pages(u"^Pages:\\s+(\\d+)"_qs, QRegularExpression::MultilineOption);
    const QRegularExpression size(u"^Page\\s+\\d+ size:\\s+([\\d.]+) x ([\\d.]+) pts"_qs,
                                  QRegularExpression::MultilineOption);
    const QRegularExpression title(u"^Title:\\s+(.*)$"_qs, QRegularExpression::MultilineOption);
    if (const auto m = pages.match(info); m.hasMatch())
        facts.pages = m.captured(1).toInt();
    for (auto it = size.globalMatch(info); it.hasNext();) {
        const auto m = it.next();
        facts.sizes.emplace_back(qRound(m.captured(1).toDouble()), qRound(m.captured(2).toDouble()));
    }
    if (const auto m = title.match(info); m.hasMatch())
        facts.title = m.captured(1).trimmed();
    return facts;
}

inline QString pdfPageText(const QString& path, int page)
{
    const QString n = QString::number(page);
    return runTool(u"pdftotext"_qs, {u"-f"_qs, n, u"-l"_qs, n, u"-layout"_qs, path, u"-"_qs});
}

}  // namespace brenmark::test
