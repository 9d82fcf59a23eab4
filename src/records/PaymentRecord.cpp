#include "PaymentRecord.h"

#include "DeclarationDate.h"
#include "NumberText.h"
#include "SettlementSlip.h"

namespace {

constexpr int specialDeductions[] = {23, 24};       // examinations, emergency drugs
constexpr int selfPaidDeductions[] = {25, 26, 27};  // bed fee, drugs outside, other
constexpr int bedAndOtherDeductions[] = {25, 27};

constexpr PaymentField box(int number, int column, const char *heading, bool alwaysText = false)
{
    return {FieldSource::Box, number, {}, column, alwaysText, heading};
}

constexpr PaymentField empty()
{
    return {FieldSource::Empty, 0, {}, 0, false, nullptr};
}

constexpr PaymentField sum(std::span<const int> boxes, int column, const char *heading)
{
    return {FieldSource::Sum, 0, boxes, column, false, heading};
}

constexpr PaymentField datePiece(FieldSource piece, int column, const char *heading)
{
    return {piece, 4, {}, column, false, heading};
}

// Serial numbers and identity card numbers are codes, not amounts: they stay
// text so that leading zeros and long digit runs survive.
constexpr std::array<PaymentField, PaymentFieldCount> fields = {{
    box(5, 1, "编号", true),
    datePiece(FieldSource::Year, 2, "申报年"),
    datePiece(FieldSource::Month, 3, "申报月"),
    datePiece(FieldSource::Day, 4, "申报日"),
    empty(),
    box(6, 6, "姓名"),
    box(9, 7, "年龄"),
    box(10, 8, "身份证号", true),
    box(12, 9, "就诊医院"),
    empty(),
    box(13, 11, "诊断"),
    box(21, 12, "本年度住院次数"),
    box(16, 13, "入院时间"),
    box(17, 14, "出院时间"),
    box(18, 15, "住院天数"),
    box(56, 16, "床位费"),
    empty(),
    sum(specialDeductions, 19, "特殊检查治疗及抢救用药"),
    sum(selfPaidDeductions, 20, "超标准床位费目录外用药及其它自付"),
    box(30, 21, "起付线"),
    box(34, 22, "支付基数"),
    empty(),
    box(38, 24, "统筹基金支付"),
    box(42, 25, "个人负担"),
    box(58, 26, "封顶线以上"),
    empty(),
    empty(),
    box(57, 29, "药品总额"),
    box(23, 30, "特殊检查及治疗"),
    box(24, 31, "特殊、抢救用药"),
    box(26, 32, "目录外用药"),
    sum(bedAndOtherDeductions, 33, "超标准床位费及其它自付"),
    empty(),
    empty(),
    box(22, 35, "统筹基金累计已支付"),
}};

// Adds the amounts in extended precision, in the order given, and writes the
// sum as plain text after taking it to double precision.
QString sumOf(const SettlementSlip &slip, std::span<const int> boxes)
{
    long double total = StrToFloat(slip.text(boxes.front()));
    for (int number : boxes.subspan(1))
        total += StrToFloat(slip.text(number));
    return FloatToStr(RoundToDouble(total));
}

} // namespace

std::span<const PaymentField, PaymentFieldCount> paymentFields()
{
    return fields;
}

PaymentRecord PaymentRecord::fromSlip(const SettlementSlip &slip)
{
    const DeclarationDate date = SplitDeclarationDate(slip.text(4));
    PaymentRecord record;
    for (int i = 0; i < PaymentFieldCount; ++i) {
        const PaymentField &field = fields[i];
        QString &value = record.values[i];
        switch (field.source) {
        case FieldSource::Empty: break;
        case FieldSource::Box: value = slip.text(field.box); break;
        case FieldSource::Year: value = date.year; break;
        case FieldSource::Month: value = date.month; break;
        case FieldSource::Day: value = date.day; break;
        case FieldSource::Sum: value = sumOf(slip, field.addends); break;
        }
    }
    return record;
}
