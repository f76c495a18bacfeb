#include "Globals.h"

namespace brellic {

// Panel names are display texts and the keys of site files and reports.
const std::array<PanelRecord, kPanelCount> PanelTable = {{
    {0, "QX-110 Panel", 1, 0x01, 1.0, 0.12, 0.05},     // 0
    {1, "QX-120 Panel", 1, 0x02, 1.0, 0.12, 0.05},     // 1
    {2, "QX-130 Panel", 1, 0x02, 1.0, 0.12, 0.05},     // 2
    {3, "QX-210 Panel", 2, 0x02, 1.0, 0.12, 0.05},     // 3
    {4, "QX-220 Panel", 2, 0x02, 1.0, 0.12, 0.05},     // 4
    {5, "QX-230 Panel", 2, 0x02, 1.0, 0.12, 0.05},     // 5
    {6, "QX-240 Panel", 2, 0x02, 1.0, 0.12, 0.05},     // 6
    {7, "QX-250 Panel", 2, 0x02, 1.0, 0.12, 0.05},     // 7
    {8, "QX-260 Panel", 2, 0x02, 1.0, 0.12, 0.095},    // 8
    {9, "QX-310 Panel", 3, 0x0E, 1.5, 0.75, 0.095},    // 9
    {10, "QX-320 Panel", 3, 0x0E, 2.0, 0.75, 0.07},    // 10
    {11, "QX-330 Panel", 3, 0x0E, 2.0, 0.75, 0.07},    // 11
    {12, "QX-340 Panel", 3, 0x0E, 2.0, 0.75, 0.07},    // 12
    {13, "QX-350 Panel", 3, 0x0E, 2.0, 0.75, 0.16},    // 13
    {14, "QX-270 Panel", 2, 0x02, 1.5, 0.12, 0.095},   // 14
    {15, "QX-410 Panel", 3, 0x0E, 2.5, 0.75, 0.095},   // 15
    {16, "QX-420 Panel", 3, 0x0E, 2.5, 0.75, 0.07},    // 16
    {17, "QX-430 Panel", 3, 0x0E, 2.5, 0.75, 0.07},    // 17
    {18, "QX-440 Panel", 3, 0x0E, 2.5, 0.75, 0.07},    // 18
    {19, "QX-450 Panel", 3, 0x0E, 2.5, 0.75, 0.16},    // 19
    {20, "QS-20 PSU 2.0A", 3, 0x1E, 2.0, 0.75, 0.025}, // 20
    {20, "QS-25 PSU 2.5A", 3, 0x1E, 2.5, 0.75, 0.025}, // 21
}};

const std::array<std::string_view, kBatteryCount> BatteryTable = {"2.1 Ah", "7.2 Ah", "17.0 Ah",
                                                                  "18.0 Ah", "14.4 Ah (2 x 7.2)"};

// Bit 21 of Families is set in many rows; no panel has family 21.
const std::array<CatalogueDevice, kCatalogueCount> DeviceCatalogue = {{
    {"Module QM-00", 3, 0x003FFFE0, 0.050, 0.055},                     // 0
    {"Module QM-01", 3, 0x003FFFE0, 0.050, 0.105},                     // 1
    {"Module QM-02", 3, 0x003FFF00, 0.065, 0.065},                     // 2
    {"Module QM-03", 3, 0x003FFFE0, 0.085, 0.085},                     // 3
    {"Module QM-04", 3, 0x003FFF00, 0.065, 0.065},                     // 4
    {"Module QM-05", 3, 0x003FFF00, 0.085, 0.085},                     // 5
    {"Module QM-06", 2, 0x003FFFE0, 0.060, 0.060},                     // 6
    {"Module QM-07", 2, 0x003FFFE0, 0.060, 0.060},                     // 7
    {"Module QM-08", 3, 0x003FFF00, 0.035, 0.100},                     // 8
    {"Module QM-09", 3, 0x003FFF00, 0.035, 0.100},                     // 9
    {"Module QM-10", 3, 0x003FFF00, 0.035, 0.100},                     // 10
    {"Module QM-11", 3, 0x003FFFE0, 0.035, 0.100},                     // 11
    {"Module QM-12", 3, 0x003FFFE0, 0.210, 0.210},                     // 12
    {"PIR Detector QP-13", 2, 0x003FFFFF, 0.013, 0.013},               // 13
    {"PIR Detector QP-14", 2, 0x003FFFFF, 0.011, 0.011},               // 14
    {"PIR Detector QP-15", 2, 0x003FFFFF, 0.010, 0.010},               // 15
    {"PIR Detector QP-16", 2, 0x003FFFFF, 0.011, 0.011},               // 16
    {"PIR Detector QP-17", 2, 0x003FFFFF, 0.013, 0.013},               // 17
    {"PIR Detector QP-18", 2, 0x003FFFFF, 0.013, 0.013},               // 18
    {"PIR Detector QP-19", 3, 0x003FFFE0, 0.020, 0.020},               // 19
    {"Dual-Tech Detector QD-20", 3, 0x003FFFE0, 0.020, 0.020},         // 20
    {"PIR Detector QP-21", 3, 0x003FFFFF, 0.020, 0.020},               // 21
    {"Dual-Tech Detector QD-22", 3, 0x003FFFFF, 0.020, 0.020},         // 22
    {"External Sounder QB-1 (Normal)", 3, 0x003FFFFF, 0.018, 0.545},   // 23
    {"External Sounder QB-1 (SCB Mode)", 3, 0x003FFFFF, 0.018, 0.160}, // 24
    {"External Sounder QB-1 (LC Mode)", 3, 0x003FFFFF, 0.018, 0.310},  // 25
    {"Module QM-26", 2, 0x003000E0, 0.035, 0.045},                     // 26
    {"Module QM-27", 2, 0x003000E0, 0.035, 0.045},                     // 27
    {"Module QM-28", 2, 0x003000E0, 0.035, 0.045},                     // 28
    {"Module QM-29", 3, 0x003000E0, 0.035, 0.045},                     // 29
    {"Module QM-30", 3, 0x003000E0, 0.035, 0.045},                     // 30
    {"Module QM-31", 3, 0x003FFFE0, 0.025, 0.045},                     // 31
    {"Module QM-32", 3, 0x003FFFE0, 0.025, 0.045},                     // 32
    {"Module QM-33", 3, 0x003FFFE0, 0.085, 0.105},                     // 33
    {"Module QM-34", 3, 0x003FFFE0, 0.085, 0.105},                     // 34
    {"Module QM-35", 3, 0x003000E0, 0.035, 0.035},                     // 35
    {"Module QM-36", 3, 0x0030C3E0, 0.035, 0.035},                     // 36
    {"PIR Detector QP-37", 2, 0x003FFFFF, 0.009, 0.009},               // 37
    {"PIR Detector QP-38", 2, 0x003FFFFF, 0.009, 0.009},               // 38
    {"PIR Detector QP-39", 2, 0x003FFFFF, 0.009, 0.009},               // 39
    {"PIR Detector QP-40", 2, 0x003FFFFF, 0.009, 0.009},               // 40
    {"PIR Detector QP-41", 2, 0x003FFFFF, 0.011, 0.011},               // 41
    {"PIR Detector QP-42", 2, 0x003FFFFF, 0.013, 0.013},               // 42
    {"Module QM-43", 3, 0x003FFFFF, 0.022, 0.022},                     // 43
    {"Glass-Break Detector QG-44", 3, 0x003FFFFF, 0.023, 0.023},       // 44
    {"External Sounder QB-2 (Normal)", 3, 0x003FFFFF, 0.018, 0.420},   // 45
    {"External Sounder QB-2 (SCB Mode)", 3, 0x003FFFFF, 0.018, 0.150}, // 46
    {"External Sounder QB-2 (LC Mode)", 3, 0x003FFFFF, 0.018, 0.280},  // 47
    {"Keypad QK-48", 2, 0x0030001E, 0.045, 0.060},                     // 48
    {"Keypad QK-49", 2, 0x0030001E, 0.070, 0.080},                     // 49
    {"PIR Detector QP-50", 2, 0x003FFFFF, 0.009, 0.009},               // 50
    {"PIR Detector QP-51", 2, 0x003FFFFF, 0.009, 0.009},               // 51
    {"Module QM-52", 3, 0x003FFFFF, 0.009, 0.009},                     // 52
    {"Module QM-53", 4, 0x003FFFF8, 0.230, 0.230},                     // 53
    {"Module QM-54", 4, 0x003FFFF8, 0.075, 0.150},                     // 54
    {"Module QM-55", 4, 0x003FFFF8, 0.075, 0.150},                     // 55
    {"Module QM-56", 4, 0x003FFFF8, 0.160, 0.160},                     // 56
    {"Module QM-57", 4, 0x003FFFF8, 0.160, 0.160},                     // 57
    {"Module QM-58", 4, 0x003FFFF8, 0.040, 0.100},                     // 58
    {"16 Ohm Speaker QL-59", 3, 0x003FFFFF, 0.000, 0.100},             // 59
    {"Module QM-60", 3, 0x003FFFFF, 0.008, 0.008},                     // 60
    {"Module QM-61", 3, 0x003FFFFF, 0.008, 0.008},                     // 61
    {"Module QM-62", 3, 0x003FFFFF, 0.008, 0.008},                     // 62
    {"Module QM-63", 3, 0x003FFFFF, 0.014, 0.014},                     // 63
    {"PIR Detector QP-64", 2, 0x003FFFFF, 0.009, 0.009},               // 64
    {"PIR Detector QP-65", 2, 0x003FFFFF, 0.021, 0.021},               // 65
    {"PIR Detector QP-66", 2, 0x003FFFFF, 0.021, 0.021},               // 66
    {"PIR Detector QP-67", 2, 0x003FFFFF, 0.021, 0.021},               // 67
    {"PIR Detector QP-68", 2, 0x003FFFFF, 0.009, 0.009},               // 68
    {"PIR Detector QP-69", 2, 0x003FFFFF, 0.009, 0.009},               // 69
    {"PIR Detector QP-70", 2, 0x003FFFFF, 0.013, 0.013},               // 70
    {"PIR Detector QP-71", 2, 0x003FFFFF, 0.013, 0.013},               // 71
    {"PIR Detector QP-72", 2, 0x003FFFFF, 0.009, 0.009},               // 72
    {"PIR Detector QP-73", 2, 0x003FFFFF, 0.011, 0.011},               // 73
    {"PIR Detector QP-74", 2, 0x003FFFFF, 0.009, 0.009},               // 74
    {"Wireless Receiver QR-75", 2, 0x00003FE0, 0.055, 0.055},          // 75
    {"Wireless Receiver QR-76", 2, 0x00303FE0, 0.060, 0.060},          // 76
    {"Module QM-77", 3, 0x003FFF00, 0.065, 0.065},                     // 77
    {"Module QM-78", 3, 0x00300300, 0.065, 0.065},                     // 78
    {"Module QM-79", 3, 0x003FFF00, 0.045, 0.045},                     // 79
}};

} // namespace brellic
