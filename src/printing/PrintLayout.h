#pragma once

#include <QtGlobal>
#include <array>

// Where each printed text goes, in tenths of a millimetre, as read from the
// coordinate file. Pair 0 is the origin added to every box; pair N belongs to
// box EditN (1..55).
struct PrintLayout {
    static constexpr int PairCount = 56;

    std::array<qint32, PairCount> left{};
    std::array<qint32, PairCount> top{};
    qint32 fontSize = 0;    // points
    qint32 pageLength = 0;  // tenths of a millimetre
    qint32 pageWidth = 0;   // tenths of a millimetre
};
