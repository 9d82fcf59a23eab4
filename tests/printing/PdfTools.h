#pragma once

#include <QImage>
#include <QString>
#include <QStringList>
#include <vector>

// Reading a printed PDF back with poppler's tools, for checks on paper.

struct PdfWord {
    QString text;
    // The box pdftotext gives the word, in points from the page's top-left
    // corner. yMin is the baseline less the font's ascent, that is the top
    // of the character cell.
    double xMin, yMin, xMax, yMax;
};

struct PdfPage {
    double width, height;  // points
    std::vector<PdfWord> words;
};

// Every page with its words (pdftotext -bbox). Fails the current test and
// returns nothing when the tool cannot read the file.
std::vector<PdfPage> readPdfText(const QString &pdfPath);

// The texts of the page's words, in reading order.
QStringList wordsOf(const PdfPage &page);

// The first page rendered in grey at the given resolution (pdftoppm).
QImage renderFirstPage(const QString &pdfPath, int dotsPerInch);

inline constexpr double MillimetresPerPoint = 25.4 / 72.0;
