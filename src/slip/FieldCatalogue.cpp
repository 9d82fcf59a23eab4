#include "FieldCatalogue.h"

#include <array>
#include <cassert>

namespace {

// number, label, left, top, width, height, default, after Clear,
// read-only, numeric filter, printed, font
constexpr std::array<FieldSpec, 58> catalogue{{
    {1, "行政区号", 116, 57, 81, 19, "桐溪区", "", false, false, true, BoxFont::Serif},
    {2, "申报人", 260, 57, 76, 19, "", "", false, false, true, BoxFont::Serif},
    {3, "联系电话", 400, 57, 78, 19, "", "", false, false, true, BoxFont::Window},
    {4, "申报时间", 536, 57, 76, 19, "", "", false, false, true, BoxFont::Window},
    {5, "编号", 720, 57, 76, 19, "", "", false, false, true, BoxFont::Window},
    {6, "姓名", 116, 77, 64, 19, "", "", false, false, true, BoxFont::Window},
    {7, "性别", 212, 77, 16, 19, "", "", false, false, true, BoxFont::Window},
    {8, "人员类别", 284, 77, 32, 19, "", "", false, false, true, BoxFont::Song},
    {9, "年龄", 348, 77, 24, 19, "", "", false, true, true, BoxFont::Window},
    {10, "身份证号", 435, 77, 136, 19, "", "", false, false, true, BoxFont::Window},
    {11, "个人编号", 628, 77, 72, 19, "", "", false, false, true, BoxFont::Window},
    {12, "就诊医院", 756, 77, 48, 19, "", "", false, false, true, BoxFont::Window},
    {13, "诊断", 116, 97, 112, 19, "", "", false, false, true, BoxFont::Window},
    {14, "科别", 260, 97, 56, 19, "", "", false, false, true, BoxFont::Window},
    {15, "住院号", 371, 97, 64, 19, "", "", false, false, true, BoxFont::Window},
    {16, "入院时间", 500, 97, 56, 19, "", "", false, false, true, BoxFont::Window},
    {17, "出院时间", 612, 97, 88, 19, "", "", false, false, true, BoxFont::Window},
    {18, "住院天数", 756, 97, 48, 19, "", "", false, true, true, BoxFont::Window},
    {19, "单据张数", 116, 117, 64, 19, "1", "1", false, true, true, BoxFont::Window},
    {20, "医疗费总额", 260, 117, 144, 19, "0", "0", false, true, true, BoxFont::Window},
    {21, "本年度住院次数", 500, 117, 56, 19, "1", "1", false, false, true, BoxFont::Window},
    {22, "统筹基金累计已支付", 700, 117, 104, 19, "0", "0", false, true, true, BoxFont::Window},
    {23, "特殊检查及治疗", 156, 197, 80, 19, "0", "0", false, true, true, BoxFont::Window},
    {24, "特殊、抢救用药", 156, 217, 80, 19, "0", "0", false, true, true, BoxFont::Window},
    {25, "超标准床位费", 156, 237, 80, 19, "0", "0", false, true, true, BoxFont::Window},
    {26, "目录外用药", 156, 257, 80, 19, "0", "0", false, true, true, BoxFont::Window},
    {27, "其它自付费用", 156, 277, 80, 19, "0", "0", false, true, true, BoxFont::Window},
    {28, "合计", 156, 297, 80, 19, "0", "0", true, false, true, BoxFont::Window},
    {29, "一级医院 起付线", 300, 197, 104, 19, "0", "0", false, true, true, BoxFont::Window},
    {30, "二级医院 起付线", 300, 217, 104, 19, "0", "0", false, true, true, BoxFont::Window},
    {31, "三级医院 起付线", 300, 237, 104, 19, "0", "0", false, true, true, BoxFont::Window},
    {32, "外转医院 起付线", 300, 257, 104, 19, "0", "0", false, true, true, BoxFont::Window},
    {33, "一级医院 支付基数", 405, 197, 103, 19, "0", "0", true, false, true, BoxFont::Window},
    {34, "二级医院 支付基数", 405, 217, 103, 19, "0", "0", true, false, true, BoxFont::Window},
    {35, "三级医院 支付基数", 405, 237, 103, 19, "0", "0", true, false, true, BoxFont::Window},
    {36, "外转医院 支付基数", 405, 257, 103, 19, "0", "0", true, false, true, BoxFont::Window},
    {37, "统筹基金支付 70% 金额", 556, 197, 112, 19, "0", "0", true, false, true, BoxFont::Window},
    {38, "统筹基金支付 65% 金额", 556, 217, 112, 19, "0", "0", true, false, true, BoxFont::Window},
    {39, "统筹基金支付 60% 金额", 556, 237, 112, 19, "0", "0", true, false, true, BoxFont::Window},
    {40, "统筹基金支付 55% 金额", 556, 257, 112, 19, "0", "0", true, false, true, BoxFont::Window},
    {41, "个人负担 30% 金额", 716, 197, 88, 19, "0", "0", true, false, true, BoxFont::Window},
    {42, "个人负担 35% 金额", 716, 217, 88, 19, "0", "0", true, false, true, BoxFont::Window},
    {43, "个人负担 40% 金额", 716, 237, 88, 19, "0", "0", true, false, true, BoxFont::Window},
    {44, "个人负担 45% 金额", 716, 257, 88, 19, "0", "0", true, false, true, BoxFont::Window},
    {45, "支付金额合计(小写)", 212, 317, 104, 19, "0", "0", true, false, true, BoxFont::Window},
    {46, "万", 446, 317, 20, 19, "\u2588", "\u2588", false, false, true, BoxFont::Window},
    {47, "仟", 494, 317, 20, 19, "\u2588", "\u2588", false, false, true, BoxFont::Window},
    {48, "佰", 542, 317, 20, 19, "\u2588", "\u2588", false, false, true, BoxFont::Window},
    {49, "拾", 588, 317, 20, 21, "\u2588", "\u2588", false, false, true, BoxFont::Window},
    {50, "元", 636, 317, 20, 21, "\u2588", "\u2588", false, false, true, BoxFont::Window},
    {51, "角", 678, 317, 20, 21, "\u2588", "\u2588", false, false, true, BoxFont::Window},
    {52, "分", 719, 317, 20, 21, "\u2588", "\u2588", false, false, true, BoxFont::Window},
    {53, "复核人", 112, 337, 64, 21, "", "", false, false, true, BoxFont::Window},
    {54, "审核结算人", 408, 337, 64, 21, "", "", false, false, true, BoxFont::Window},
    {55, "受理人", 672, 337, 64, 21, "", "", false, false, true, BoxFont::Window},
    {56, "床位费", 316, 297, 88, 21, "0", "0", false, true, false, BoxFont::Window},
    {57, "药品总额", 500, 297, 112, 21, "0", "0", false, true, false, BoxFont::Window},
    {58, "封顶线以上", 700, 297, 104, 21, "0", "0", false, true, false, BoxFont::Window},
}};

}  // namespace

std::span<const FieldSpec> fieldCatalogue()
{
    return catalogue;
}

const FieldSpec &fieldSpec(int number)
{
    assert(number >= 1 && number <= int(catalogue.size()));
    return catalogue[number - 1];
}
