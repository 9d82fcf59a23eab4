#include "SlipPicture.h"

#include "FieldCatalogue.h"
#include "SkyBackground.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPainter>

#include <algorithm>
#include <stdexcept>
#include <vector>

namespace {

// The ruled grid.
constexpr int GridLeft = 56;
constexpr int GridRight = 804;
constexpr int GridTop = 76;
constexpr int RowHeight = 20;

constexpr int LabelPixels = 12;   // lettering in the cells
constexpr int LinePixels = 11;    // labels of the header and signature lines
constexpr int SmallestPixels = 9; // how far a label may shrink to fit
constexpr int TitlePixels = 26;
constexpr int NotePixels = 13;

QString text(const char *utf8)
{
    return QString::fromUtf8(utf8);
}

// Every box of the grid sits one pixel inside its cell: the rules are the
// column just left of the box, the column just right of it, and the row
// just above it.
int leftRule(int box) { return fieldSpec(box).left - 1; }
int rightRule(int box) { return fieldSpec(box).left + fieldSpec(box).width; }

// Draws texts in black with one face, checking that each one is drawn
// whole.
class Lettering {
public:
    Lettering(QPainter &painter, const QString &family) : m_painter(painter), m_family(family) {}

    // `line` centred (or aligned by `alignment`) in `area`, shrunk from
    // `pixels` as far as needed to fit the area's width.
    void draw(const QRectF &area, const QString &line, Qt::Alignment alignment = Qt::AlignCenter,
              int pixels = LabelPixels, bool bold = false)
    {
        for (int size = pixels; size >= SmallestPixels; --size) {
            const QFont font = face(size, bold);
            const QFontMetricsF metrics(font);
            requireGlyphs(metrics, line);
            if (metrics.horizontalAdvance(line) <= area.width()) {
                m_painter.setFont(font);
                m_painter.setPen(Qt::black);
                m_painter.drawText(area, alignment, line);
                return;
            }
        }
        throw std::runtime_error("text does not fit its place on the slip: " + line.toStdString());
    }

private:
    QFont face(int pixels, bool bold) const
    {
        QFont font(m_family);
        font.setPixelSize(pixels);
        font.setBold(bold);
        font.setStyleStrategy(QFont::PreferAntialias);
        return font;
    }

    void requireGlyphs(const QFontMetricsF &metrics, const QString &line) const
    {
        for (char32_t c : line.toUcs4()) {
            if (!metrics.inFontUcs4(c))
                throw std::runtime_error("the face " + m_family.toStdString()
                                         + " has no glyph for a character of: " + line.toStdString());
        }
    }

    QPainter &m_painter;
    QString m_family;
};

// One row of the grid: its boxes from left to right and the texts of the
// label cells between them. A label cell is every gap of more than a rule
// between the grid's left edge, the boxes and the grid's right edge, taken
// in order.
struct GridRow {
    int top;
    std::vector<int> boxes;
    std::vector<const char *> labels;
};

// Draws the cell rectangle from rule to rule.
void ruleCell(QPainter &painter, int left, int top, int right, int bottom)
{
    painter.drawLine(left, top, right, top);
    painter.drawLine(left, bottom, right, bottom);
    painter.drawLine(left, top, left, bottom);
    painter.drawLine(right, top, right, bottom);
}

// The inside of a cell, between its rules, with a pixel to spare on each side.
QRectF cellInside(int left, int top, int right, int bottom)
{
    return QRectF(left + 2, top + 1, right - left - 3, bottom - top - 1);
}

void drawGridRow(QPainter &painter, Lettering &lettering, const GridRow &row)
{
    const int bottom = row.top + RowHeight;
    std::size_t label = 0;
    auto labelCell = [&](int left, int right) {
        if (right - left <= 1)
            return;
        if (label == row.labels.size())
            throw std::runtime_error("a grid row has more label cells than labels");
        ruleCell(painter, left, row.top, right, bottom);
        lettering.draw(cellInside(left, row.top, right, bottom), text(row.labels[label++]));
    };

    int x = GridLeft;
    for (int box : row.boxes) {
        if (fieldSpec(box).top != row.top + 1)
            throw std::runtime_error("a box does not sit one pixel below its row's rule");
        labelCell(x, leftRule(box));
        ruleCell(painter, leftRule(box), row.top, std::min(rightRule(box), GridRight), bottom);
        x = std::min(rightRule(box), GridRight);
    }
    labelCell(x, GridRight);
    if (label != row.labels.size())
        throw std::runtime_error("a grid row has more labels than label cells");
}

// The three rows of the table's heading, over the deductions on the left and
// the sharing of the expenses by hospital level on the right. The columns
// are those of the boxes below.
void drawTableHeading(QPainter &painter, Lettering &lettering)
{
    const int top = GridTop + 3 * RowHeight;  // 136
    const int row2 = top + RowHeight;
    const int row3 = row2 + RowHeight;
    const int bottom = row3 + RowHeight;      // 196

    const int itemEnd = leftRule(23);
    const int deductionEnd = rightRule(23);
    const int levelEnd = leftRule(29);
    const int thresholdEnd = leftRule(33);
    const int baseEnd = rightRule(33);
    const int fundRateEnd = leftRule(37);
    const int fundEnd = rightRule(37);
    const int ownRateEnd = leftRule(41);

    struct Cell {
        int left, top, right, bottom;
        const char *label;
    };
    const Cell cells[] = {
        {GridLeft, top, deductionEnd, row2, "核减情况"},
        {GridLeft, row2, itemEnd, bottom, "项目"},
        {itemEnd, row2, deductionEnd, bottom, "金额"},
        {deductionEnd, top, levelEnd, bottom, "医院级别"},
        {levelEnd, top, GridRight, row2, "医疗费分担金额"},
        {levelEnd, row2, thresholdEnd, bottom, "起付线"},
        {thresholdEnd, row2, baseEnd, bottom, "支付基数"},
        {baseEnd, row2, fundEnd, row3, "统筹基金支付"},
        {fundEnd, row2, GridRight, row3, "个人负担"},
        {baseEnd, row3, fundRateEnd, bottom, "比例"},
        {fundRateEnd, row3, fundEnd, bottom, "金额"},
        {fundEnd, row3, ownRateEnd, bottom, "比例"},
        {ownRateEnd, row3, GridRight, bottom, "金额"},
    };
    for (const Cell &cell : cells) {
        ruleCell(painter, cell.left, cell.top, cell.right, cell.bottom);
        lettering.draw(cellInside(cell.left, cell.top, cell.right, cell.bottom), text(cell.label));
    }
}

void drawGrid(QPainter &painter, Lettering &lettering)
{
    // The particulars rows take their labels from the catalogue, so label
    // and box cannot drift apart.
    const auto labelsOf = [](std::initializer_list<int> boxes) {
        std::vector<const char *> labels;
        for (int box : boxes)
            labels.push_back(fieldSpec(box).label);
        return labels;
    };
    const std::vector<GridRow> rows = {
        {76, {6, 7, 8, 9, 10, 11, 12}, labelsOf({6, 7, 8, 9, 10, 11, 12})},
        {96, {13, 14, 15, 16, 17, 18}, labelsOf({13, 14, 15, 16, 17, 18})},
        {116, {19, 20, 21, 22}, labelsOf({19, 20, 21, 22})},
        {196, {23, 29, 33, 37, 41}, {fieldSpec(23).label, "一级医院", "70%", "30%"}},
        {216, {24, 30, 34, 38, 42}, {fieldSpec(24).label, "二级医院", "65%", "35%"}},
        {236, {25, 31, 35, 39, 43}, {fieldSpec(25).label, "三级医院", "60%", "40%"}},
        {256, {26, 32, 36, 40, 44}, {fieldSpec(26).label, "外转医院", "55%", "45%"}},
        {276, {27}, {fieldSpec(27).label, "报表用数据"}},
        {296, {28, 56, 57, 58}, labelsOf({28, 56, 57, 58})},
        {316, {45, 46, 47, 48, 49, 50, 51, 52},
         {"支付金额合计(小写)", "支付金额合计(大写)", "万", "仟", "佰", "拾", "元", "角", "分"}},
    };

    painter.setPen(QPen(Qt::black, 1));
    for (const GridRow &row : rows)
        drawGridRow(painter, lettering, row);
    drawTableHeading(painter, lettering);
}

// Labels outside the grid end just left of their box; `fromX` is where the
// room for the label begins.
void drawLabelBeforeBox(Lettering &lettering, int box, const char *label, int fromX)
{
    const FieldSpec &spec = fieldSpec(box);
    const int right = spec.left - 1;
    lettering.draw(QRectF(fromX, spec.top, right - fromX, spec.height), text(label),
                   Qt::AlignRight | Qt::AlignVCenter, LinePixels);
}

// Where the room for the next label begins: just right of the box.
int endOf(int box)
{
    return fieldSpec(box).left + fieldSpec(box).width;
}

void drawHeaderLine(Lettering &lettering)
{
    drawLabelBeforeBox(lettering, 1, "行政区号：", GridLeft - 40);
    drawLabelBeforeBox(lettering, 2, "申报人：", endOf(1));
    drawLabelBeforeBox(lettering, 3, "联系电话：", endOf(2));
    drawLabelBeforeBox(lettering, 4, "申报时间：", endOf(3));

    // 单位：元 has no box; it stands between the date and the serial number.
    const int unitLeft = endOf(4);
    const int unitRight = fieldSpec(5).left - 48;
    lettering.draw(QRectF(unitLeft, fieldSpec(5).top, unitRight - unitLeft, fieldSpec(5).height),
                   text("单位：元"), Qt::AlignCenter, LinePixels);
    drawLabelBeforeBox(lettering, 5, "编号：", unitRight);
}

void drawSignatureLine(Lettering &lettering)
{
    drawLabelBeforeBox(lettering, 53, "复核人：", 0);
    drawLabelBeforeBox(lettering, 54, "审核结算人：", endOf(53));
    drawLabelBeforeBox(lettering, 55, "受理人：", endOf(54));
}

void drawNotes(Lettering &lettering)
{
    const int lineHeight = 18;
    const int top = 360;
    lettering.draw(QRectF(GridLeft, top, GridRight - GridLeft, lineHeight),
                   text("说明：1、人员类别：低保、重残、60岁以上低收入老人填“困难”，其它人员不用填。"),
                   Qt::AlignLeft | Qt::AlignVCenter, NotePixels);
    // The second note lines up with the first one's numbering.
    const int indent = 3 * NotePixels;
    lettering.draw(QRectF(GridLeft + indent, top + lineHeight, GridRight - GridLeft - indent, lineHeight),
                   text("2、需留存相关住院资料的，请在申报前复印。"),
                   Qt::AlignLeft | Qt::AlignVCenter, NotePixels);
}

} // namespace

QImage drawSlipPicture(const QString &family)
{
    QImage picture(SlipPictureWidth, SlipPictureHeight, QImage::Format_RGB32);
    QPainter painter(&picture);
    paintSky(painter, picture.size());

    Lettering lettering(painter, family);
    lettering.draw(QRectF(0, 0, SlipPictureWidth, 50),
                   text("桐溪市城镇居民基本医疗保险住院人员医疗费申报结算单"), Qt::AlignCenter,
                   TitlePixels, true);
    drawHeaderLine(lettering);
    drawGrid(painter, lettering);
    drawSignatureLine(lettering);
    drawNotes(lettering);
    return picture;
}
