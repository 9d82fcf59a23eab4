// Times Save through LibreOffice: the first save right after the recorder is
// made (it waits for the office started in the background), the first save
// of a recorder whose office had time to start, and 20 saves with the office
// up. Prints one row per phase for the benchmark table.

#include "Median.h"

#include "CalcWorkbook.h"
#include "Office.h"
#include "PaymentLedger.h"
#include "PaymentRecorder.h"
#include "SettlementSlip.h"
#include "StarterWorkbook.h"

#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

double millisecondsSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}


MemorySlip typicalSlip()
{
    MemorySlip slip;
    const std::pair<int, const char *> texts[] = {
        {4, "2012-12-9"}, {5, "1024"}, {6, "张三"}, {9, "45"}, {10, "110101199001011234"},
        {12, "桐溪医院"}, {13, "肺炎"}, {18, "19"}, {23, "12.5"}, {24, "7.5"},
        {30, "200"}, {34, "800"}, {38, "520.00"}, {42, "280.00"},
    };
    for (const auto &[box, text] : texts)
        slip.setText(box, QString::fromUtf8(text));
    return slip;
}

} // namespace

int main()
{
    constexpr int laterSaves = 20;
    QTemporaryDir folder;
    QFile(folder.filePath(PaymentLedger::FileName)).open(QIODevice::WriteOnly);
    {
        Office office{OfficeOptions()};
        CalcWorkbook workbook(office);
        makeStarterWorkbook(workbook, folder.filePath(PaymentWorkbook::FileName));
    }
    const MemorySlip slip = typicalSlip();

    const Clock::time_point started = Clock::now();
    PaymentRecorder recorder(folder.path());
    const double construction = millisecondsSince(started);
    recorder.save(slip);
    const double first = millisecondsSince(started);

    std::vector<double> later;
    for (int i = 0; i < laterSaves; ++i) {
        const Clock::time_point start = Clock::now();
        recorder.save(slip);
        later.push_back(millisecondsSince(start));
    }
    // The clerk usually types for a while before the first save: by then the
    // office is up, but Calc has not loaded a workbook yet.
    double firstWhenUp = 0;
    {
        PaymentRecorder typedFirst(folder.path());
        std::this_thread::sleep_for(std::chrono::seconds(15));
        const Clock::time_point start = Clock::now();
        typedFirst.save(slip);
        firstWhenUp = millisecondsSince(start);
    }
    std::printf("Save: making the recorder (office starts behind)\t%.1f ms\n", construction);
    std::printf("Save: first after start-up, cold office\t%.1f ms\n", first);
    std::printf("Save: first, office up (15 s after start-up)\t%.1f ms\n", firstWhenUp);
    std::printf("Save: later saves (median of %d)\t%.1f ms\n", laterSaves, median(later));
    std::printf("Save: later saves (slowest of %d)\t%.1f ms\n", laterSaves,
                *std::max_element(later.begin(), later.end()));
    return 0;
}
