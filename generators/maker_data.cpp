#include "generators/maker_data.h"

namespace gen::maker {

uint16_t ProfinetDeviceId(int deviceType)
{
    struct Row
    {
        int type;
        uint16_t id;
    };
    static constexpr Row kIds[] = {
        {0, 0x0101},  {1, 0x0102},  {2, 0x0103},  {3, 0x0104},  {4, 0x0105},  {5, 0x0106},
        {6, 0x0107},  {7, 0x0108},  {8, 0x0109},  {9, 0x010A},  {10, 0x010B}, {11, 0x010C},
        {12, 0x010D}, {13, 0x0102}, {14, 0x010F}, {20, 0x0115}, {22, 0x0117}, {24, 0x0119},
        {25, 0x011A}, {26, 0x011B}, {27, 0x011C}, {28, 0x011D}, {29, 0x011E},
    };
    for (const Row& r : kIds)
        if (r.type == deviceType)
            return r.id;
    return 0;
}

} // namespace gen::maker
