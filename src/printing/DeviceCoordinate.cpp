#include "DeviceCoordinate.h"

#include <cmath>
#include <cstdint>

static_assert(sizeof(long double) > sizeof(double),
              "device coordinates need the x87 extended format");

qint32 DeviceCoordinate(qint32 position, qint32 origin, double factor, double offset)
{
    // Unsigned addition wraps without undefined behaviour; the conversion
    // back to a signed 32-bit value is modular since C++20.
    const auto sum = static_cast<qint32>(static_cast<quint32>(position)
                                         + static_cast<quint32>(origin));
    const long double product = static_cast<long double>(sum) * static_cast<long double>(factor);
    const long double difference = product - static_cast<long double>(offset);
    if (!std::isfinite(difference))
        return 0;
    // The low 32 bits of the truncated value, also when it lies beyond the
    // range of a 64-bit integer: the remainder by 2^32 is exact.
    const long double truncated = std::trunc(difference);
    const long double low = std::fmod(truncated, 4294967296.0L);
    return static_cast<qint32>(static_cast<quint32>(static_cast<std::int64_t>(low)));
}
