#include "PdfTools.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <gtest/gtest.h>

namespace {

QByteArray runTool(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit
        || process.exitCode() != 0) {
        ADD_FAILURE() << program.toStdString() << " failed: "
                      << process.readAllStandardError().toStdString();
        return {};
    }
    return process.readAllStandardOutput();
}

double number(const QXmlStreamAttributes &attributes, const char *name)
{
    return attributes.value(QLatin1String(name)).toDouble();
}

} // namespace

std::vector<PdfPage> readPdfText(const QString &pdfPath)
{
    const QByteArray xhtml = runTool(QStringLiteral("pdftotext"),
                                     {QStringLiteral("-bbox"), pdfPath, QStringLiteral("-")});
    std::vector<PdfPage> pages;
    QXmlStreamReader reader(xhtml);
    while (!reader.atEnd()) {
        if (reader.readNext() != QXmlStreamReader::StartElement)
            continue;
        const QXmlStreamAttributes a = reader.attributes();
        if (reader.name() == QLatin1String("page")) {
            pages.push_back({number(a, "width"), number(a, "height"), {}});
        } else if (reader.name() == QLatin1String("word") && !pages.empty()) {
            const double xMin = number(a, "xMin"), yMin = number(a, "yMin");
            const double xMax = number(a, "xMax"), yMax = number(a, "yMax");
            pages.back().words.push_back({reader.readElementText(), xMin, yMin, xMax, yMax});
        }
    }
    if (reader.hasError())
        ADD_FAILURE() << "pdftotext output unreadable: " << reader.errorString().toStdString();
    return pages;
}

QImage renderFirstPage(const QString &pdfPath, int dotsPerInch)
{
    QTemporaryDir dir;
    const QString stem = dir.filePath(QStringLiteral("page"));
    runTool(QStringLiteral("pdftoppm"),
            {QStringLiteral("-gray"), QStringLiteral("-png"), QStringLiteral("-singlefile"),
             QStringLiteral("-f"), QStringLiteral("1"), QStringLiteral("-r"),
             QString::number(dotsPerInch), pdfPath, stem});
    return QImage(stem + QStringLiteral(".png")).convertToFormat(QImage::Format_Grayscale8);
}

QStringList wordsOf(const PdfPage &page)
{
    QStringList words;
    for (const PdfWord &word : page.words)
        words << word.text;
    return words;
}
