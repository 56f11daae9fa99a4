#pragma once

#include <QtCore/QByteArray>
#include <QtCore/QMetaEnum>
#include <QtCore/QObject>
#include <QtCore/QString>

// The keys of these enumerations are the words the generator writes into its
// log files, so they are looked up by name at run time.

namespace ChronoFixTypes {
Q_NAMESPACE
enum ChronoFixType {
    SPI = 0,
    SYS_VER = 1,
    HFMC_TOT = 2,
    HFMT_TOT = 3,
    HFME_TOT = 4,
    SON_TOT = 5,
    HFT_TOT = 6,
    HFE_TOT = 7,
    APCT_TOT = 8,
    EVXT_TOT = 9,
    SOC_CNT = 10,
};
Q_ENUM_NS(ChronoFixType)
} // namespace ChronoFixTypes

namespace QeloModes {
Q_NAMESPACE
enum QeloMode {
    QELOMODE_CUT_AUS = 0,
    QELOMODE_COAG_AUS = 1,
    QELOMODE_CUT_M1 = 2,
    QELOMODE_CUT_M2 = 3,
    QELOMODE_CUT_M3 = 4,
    QELOMODE_CUT_M6 = 5,
    cutM3_bipolar = 6,
    cutM4_I = 7,
    cutM4_Q = 8,
    coagM5 = 9,
    coagM1 = 10,
    coagM2 = 11,
    coagM3 = 12,
    coagM4 = 13,
    coagM2_bipolar = 14,
    coagM3_bipolar = 15,
    coagM7 = 16,
    coagM6 = 17,
    coagM9 = 18,
    coagM10 = 19,
    coagM11 = 20,
};
Q_ENUM_NS(QeloMode)
} // namespace QeloModes

namespace ChronoEventTypes {
Q_NAMESPACE
enum ChronoEventType {
    UNDEFINED = 0,
    NOTE_MSG = 1,
    HF_STA = 2,
    APC_STA = 3,
    EVX_STA = 4,
    HF_STO = 5,
    ERR_MSG = 6,
    NEW_SOC = 7,
    UI_WLAN = 8,
    UI_APCFLOW = 9,
    UI_EVXFLOW = 10,
    P_ON = 11,
    P_OFF = 12,
    L_RESET = 13,
    UI_CUTMODE = 14,
    UI_CUTEFFEKT = 15,
    UI_COAGMODE = 16,
    UI_COAGEFFEKT = 17,
    UI_AKTI = 18,
    UI_INFO = 19,
    UI_EXCEPTION = 20,
    UI_PEDAL = 21,
    UI_NOTE = 22,
    UI_CUTM4DAUER = 23,
    UI_CUTM4INTERVAL = 24,
    NM_TELE1 = 25,
    NM_TELE2 = 26,
    PODED = 27,
};
Q_ENUM_NS(ChronoEventType)
} // namespace ChronoEventTypes

namespace ModuleTypes {
Q_NAMESPACE
enum ModuleType {
    SCM = 0,
    MCM = 1,
    UI = 2,
    SLOT1_IIM = 3,
    SLOT2_IIM = 4,
    SLOT3_IIM = 5,
    SLOT4_IIM = 6,
    SLOT5_IIM = 7,
    SLOT6_IIM = 8,
    UGM = 9,
    NM = 11,
    GCM = 14,
    HF_1PEDREFS = 17,
    HF_2PEDREFS = 18,
    EVX2 = 19,
    EVX2_1PEDFS = 20,
    PSU = 29,
    EVX3 = 30,
    NOTYPE = 255,
};
Q_ENUM_NS(ModuleType)
} // namespace ModuleTypes

namespace ModuleStates {
Q_NAMESPACE
enum ModuleState {
    SS_BOOTLDR = 1,
    SS_INIT = 16,
    SS_ENTER_PASSWORD = 21,
    SS_CONFIG = 32,
    SS_WAIT_TO_ENTER_CS_SC = 48,
    SS_SC = 64,
    SS_WAIT_FOR_ADDITIONAL_SC = 65,
    SS_ADDITIONAL_SC = 66,
    SS_IDLE = 80,
    SS_HF_SC = 85,
    SS_HF_READY = 96,
    SS_HF_INHIBIT = 100,
    SS_HF_ACTIVE = 101,
    SS_HF_ENTER_DEACTIVATION = 111,
    SS_HF_DEACTIVATION = 112,
    SS_NO_IDLE = 128,
    SS_TESTPR_FEHLER = 192,
    SS_TESTPR_KALI = 193,
    SS_TESTPR_HARDWARE = 194,
    SS_FUNKTIONSTEST = 200,
    SS_CALI = 208,
    SS_UPDATE = 224,
    SS_SHUTDOWN = 240,
    SS_SHUTDOWN_READY = 241,
    SS_ERROR = 255,
};
Q_ENUM_NS(ModuleState)
} // namespace ModuleStates

namespace SlotTypes {
Q_NAMESPACE
enum SlotType {
    Universal = 0,
    MF = 1,
    APC = 2,
    Monopolar = 3,
    Bipolar = 5,
    Undefinied = 7,
};
Q_ENUM_NS(SlotType)
} // namespace SlotTypes

namespace CutModes {
Q_NAMESPACE
enum CutMode {
    HFM_CUTOFF = 0,
    HFM_CUT_1 = 1,
    HFM_CUT_2 = 2,
    HFM_CUT_3 = 3,
    HFM_CUT_4 = 4,
    HFM_CUT_5 = 5,
    HFM_CUT_6 = 6,
    HFM_CUT_21 = 21,
    HFM_CUT_22 = 22,
    HFM_CUT_23 = 23,
    HFM_CUT_24 = 24,
    HFM_CUT_41 = 41,
    HFM_CUT_42 = 42,
};
Q_ENUM_NS(CutMode)
} // namespace CutModes

namespace CoagModes {
Q_NAMESPACE
enum CoagMode {
    HFM_COAGOFF = 128,
    HFM_COAG_129 = 129,
    HFM_COAG_130 = 130,
    HFM_COAG_131 = 131,
    HFM_COAG_132 = 132,
    HFM_COAG_133 = 133,
    HFM_COAG_134 = 134,
    HFM_COAG_161 = 161,
    HFM_COAG_162 = 162,
    HFM_COAG_163 = 163,
    HFM_COAG_164 = 164,
    HFM_COAG_165 = 165,
    HFM_COAG_166 = 166,
    HFM_COAG_167 = 167,
    HFM_COAG_168 = 168,
    HFM_COAG_169 = 169,
    HFM_COAG_193 = 193,
    HFM_COAG_194 = 194,
    HFM_COAG_195 = 195,
    HFM_COAG_196 = 196,
    HFM_COAG_197 = 197,
};
Q_ENUM_NS(CoagMode)
} // namespace CoagModes

namespace ChronoEnums {

/// The key of `value`, or an empty text when the enumeration has no such value.
template<typename Enum>
QString keyName(int value)
{
    const char *key = QMetaEnum::fromType<Enum>().valueToKey(value);
    return key ? QString::fromLatin1(key) : QString();
}

/// The value of an exact key (no scope prefix, case-sensitive), or -1.
template<typename Enum>
int keyValue(const QByteArray &key)
{
    const QMetaEnum meta = QMetaEnum::fromType<Enum>();
    for (int i = 0; i < meta.keyCount(); ++i) {
        if (key == meta.key(i))
            return meta.value(i);
    }
    return -1;
}

template<typename Enum>
bool isValue(int value)
{
    return QMetaEnum::fromType<Enum>().valueToKey(value) != nullptr;
}

/// The event type of an exact keyword, or -1; a hash look-up, for the parser.
int eventTypeOf(const QByteArray &keyword);
/// The keyword of an event type, or an empty text.
const QString &eventKeyword(int type);

} // namespace ChronoEnums
