#pragma once

#include <QString>
#include <array>

// The 58 texts of the slip, numbered 1..58 after their boxes. The window
// implements this over its edit boxes; every operation of the slip reads the
// texts when it runs and writes its results back through here.
class SettlementSlip {
public:
    static constexpr int FieldCount = 58;

    virtual ~SettlementSlip() = default;
    virtual QString text(int box) const = 0;
    virtual void setText(int box, const QString &text) = 0;
};

// A slip held in memory: used where no window exists (tests, benchmarks,
// batch work).
class MemorySlip : public SettlementSlip {
public:
    MemorySlip();  // every box at its start-up default
    QString text(int box) const override;
    void setText(int box, const QString &text) override;

private:
    std::array<QString, FieldCount> m_texts;
};
