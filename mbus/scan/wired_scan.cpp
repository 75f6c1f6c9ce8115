#include "mbus/scan/wired_scan.h"

#include "mbus/scan/requests.h"

namespace mbus {

namespace {

Bytes View(const QByteArray& a)
{
    return Bytes(reinterpret_cast<const uint8_t*>(a.constData()), static_cast<size_t>(a.size()));
}

int32_t Level_Step(int level)
{
    return wired::FirstLevelStep + 2 * (level - 1);
}

} // namespace

WiredScan::WiredScan(ScanEnv& env) : m_env(env) {}

void WiredScan::Begin(const WiredSettings& settings, UpdateSlaveListProc update)
{
    m_settings = settings;
    m_update = std::move(update);
    Step_Scan = wired::Start;
}

void WiredScan::Notify(int32_t kind, int32_t address, int32_t found, int32_t type)
{
    Guarded_Call(m_update, kind, address, found, type);
}

void WiredScan::Send(std::vector<uint8_t> request, uint32_t k)
{
    if (k)
        m_env.link.TimeOut_Calc = Answer_TimeOut_Ms(k, m_settings.Baudrate);
    m_env.link.Req_Array = std::move(request);
    m_env.link.Send_Command(m_settings.ConverterPort);
}

void WiredScan::Short_TimeOut()
{
    m_env.link.TimeOut_Calc = Answer_TimeOut_Ms(ShortAnswerK, m_settings.Baudrate);
}

void WiredScan::Long_TimeOut()
{
    m_env.link.TimeOut_Calc = Answer_TimeOut_Ms(LongAnswerK, m_settings.Baudrate);
}

bool WiredScan::Read_Telegram(const QByteArray& answer)
{
    const DecodeContext ctx = m_env.context(false);
    bool more = false;
    {
        std::lock_guard lock(m_env.slaves.mutex);
        const int index =
            Add_Wired_Slave(m_env.slaves.wired, Num_Frame_Read == 0 ? -1 : Index_Device, View(answer), more, ctx);
        if (index >= 0)
            Index_Device = index;
    }
    ++Num_Frame_Read;
    return !more || Num_Frame_Read >= m_settings.Cut_After;
}

void WiredScan::Scan_Decode()
{
    ConverterLink& link = m_env.link;
    ScanFlags& flags = m_env.flags;
    const bool primary = m_settings.ScanType == saPrimaryAddress;
    const bool ethernet = m_settings.Select_Hardware == shEthernet;
    // An abort sends the scan to its close steps; once they run, another one
    // does not start them again (three disable attempts at most).
    if (flags.AbortScan) {
        if (Step_Scan < wired::Close)
            Step_Scan = wired::Close;
        else
            flags.AbortScan = false;
    }

    // Each waiting step looks at an answer first: an answer that is there
    // wins over a time-out that has passed by the time the step runs.
    switch (Step_Scan) {
    case wired::Start:
        Enable_Send_In_Last_Step = false;
        flags.Result = 1;
        if (ethernet) {
            link.TimeOut_Calc = CommandTimeoutMs;
            link.Send_Command(command::EnableAnalyzer, m_settings.ConverterPort);
            Step_Scan = wired::Handshake;
        } else {
            Step_Scan = primary ? wired::PrimaryStart : wired::SecondaryStart;
        }
        break;
    case wired::Handshake:
        if (link.Answer_Arrived()) {
            if (link.Take_Answer() == reply::AnalyzerEnabled) {
                ID_Dev_Primary = -1;
                Step_Scan = primary ? wired::PrimaryStart : wired::SecondaryStart;
            } else {
                flags.Result = 2;
                Step_Scan = wired::Close;
            }
        } else if (link.Answer_TimeOut()) {
            flags.Result = 2;
            Step_Scan = wired::Close;
        }
        break;

    // Primary scan.
    case 2:
        Short_TimeOut();
        ID_Dev_Primary = -1;
        Notify(1, 0, 0, 1);
        Send(Build_SND_NKE(BroadcastAddress), 0);
        Step_Scan = 3;
        break;
    case 3:
        if (link.Answer_Arrived()) {
            link.Take_Answer();
            Step_Scan = wired::NextAddress;
        } else if (link.Answer_TimeOut()) {
            Step_Scan = wired::NextAddress;
        }
        break;
    case wired::NextAddress:
        Short_TimeOut();
        Num_Frame_Read = 0;
        ++ID_Dev_Primary;
        if (ID_Dev_Primary > HighestPrimaryAddress || flags.StopScan) {
            Type_To_Send_In_Last_Step = 1;
            Enable_Send_In_Last_Step = true;
            flags.Result = 1;
            Step_Scan = wired::Close;
        } else {
            Step_Scan = m_settings.App_Reset ? 5 : m_settings.SND_NKE ? 7 : 9;
        }
        break;
    case 5:
        m_env.clock.Sleep(m_env.pauses.request);
        Send(Build_App_Reset(static_cast<uint8_t>(ID_Dev_Primary), m_settings.Fix_C_Field,
                             m_settings.Fix_C_Field_Value),
             0);
        Step_Scan = 6;
        break;
    case 6:
    case 8: {
        const int32_t next = Step_Scan == 6 && m_settings.SND_NKE ? 7 : 9;
        if (link.Answer_Arrived()) {
            if (Classify_Answer(View(link.Take_Answer())) == AnswerKind::Acknowledge)
                Step_Scan = next;
            else
                link.Keep_Waiting();
        }
        if (Step_Scan != next && link.Answer_TimeOut())
            Step_Scan = next;
        break;
    }
    case 7:
        m_env.clock.Sleep(m_env.pauses.request);
        Send(Build_SND_NKE(static_cast<uint8_t>(ID_Dev_Primary)), 0);
        Step_Scan = 8;
        break;
    case 9:
        Long_TimeOut();
        m_env.clock.Sleep(m_env.pauses.request);
        Send(Build_REQ_UD2(static_cast<uint8_t>(ID_Dev_Primary), Num_Frame_Read, m_settings.Fix_C_Field,
                           m_settings.Fix_C_Field_Value),
             0);
        Step_Scan = 10;
        break;
    case 10: {
        ID_Dev_Found = false;
        bool answered = false;
        if (link.Answer_Arrived()) {
            const QByteArray answer = link.Take_Answer();
            const AnswerKind kind = Classify_Answer(View(answer));
            if (kind == AnswerKind::Telegram && Answer_Address(View(answer)) != ID_Dev_Primary) {
                link.Keep_Waiting();   // a late telegram of another address
            } else if (kind == AnswerKind::Telegram) {
                answered = true;
                if (Read_Telegram(answer)) {
                    ID_Dev_Found = true;
                    Notify(2, ID_Dev_Primary, 1, 1);
                    Step_Scan = wired::NextAddress;
                } else {
                    Step_Scan = 9;
                }
            } else {
                answered = true;
                Notify(2, ID_Dev_Primary, 0, 1);
                Step_Scan = wired::NextAddress;
            }
        }
        if (!answered && link.Answer_TimeOut()) {
            Notify(2, ID_Dev_Primary, 0, 1);
            Step_Scan = wired::NextAddress;
        }
        break;
    }

    // Secondary scan.
    case wired::SecondaryStart:
        Short_TimeOut();
        Phase_Scan_Sec_Add = 1;
        Notify(1, 0, 0, 2);
        Phase_Scan_Sec_Add = 2;
        Step_Scan = m_settings.SND_NKE ? 101 : m_settings.App_Reset ? 103 : 105;
        break;
    case 101:
        Send(Build_SND_NKE(SelectedAddress), 0);
        Step_Scan = 102;
        break;
    case 103:
        Send(Build_App_Reset(BroadcastAddress, m_settings.Fix_C_Field, m_settings.Fix_C_Field_Value), 0);
        Step_Scan = 104;
        break;
    case 105:
        Send(Build_SND_NKE(BroadcastAddress), 0);
        Step_Scan = 106;
        break;
    case 102:
    case 104:
    case 106: {
        const int32_t next = Step_Scan == 102 ? (m_settings.App_Reset ? 103 : 105) : Step_Scan == 104 ? 105 : 107;
        if (link.Answer_Arrived()) {
            if (Classify_Answer(View(link.Take_Answer())) == AnswerKind::Acknowledge)
                Step_Scan = next;
            else
                link.Keep_Waiting();
        }
        if (Step_Scan != next && link.Answer_TimeOut())
            Step_Scan = next;
        break;
    }
    case 107:
        Index.fill(-1);
        Step_Scan = wired::FirstLevelStep;
        break;
    case wired::ReadSelected:
        Long_TimeOut();
        Send(Build_REQ_UD2(SelectedAddress, Num_Frame_Read, m_settings.Fix_C_Field, m_settings.Fix_C_Field_Value), 0);
        Step_Scan = 125;
        break;
    case 125:
        ID_Dev_Found = false;
        if (link.Answer_Arrived()) {
            const QByteArray answer = link.Take_Answer();
            if (Classify_Answer(View(answer)) != AnswerKind::Telegram) {
                Short_TimeOut();
                Step_Scan = Sec_Add_Next_Step;
            } else if (Read_Telegram(answer)) {
                Short_TimeOut();
                Step_Scan = Sec_Add_Next_Step;
                ID_Dev_Found = true;
                uint32_t id = 0;
                {
                    std::lock_guard lock(m_env.slaves.mutex);
                    if (Index_Device >= 0 && Index_Device < m_env.slaves.wired.size())
                        id = m_env.slaves.wired[Index_Device]->Secondary_Addresss.toUInt(nullptr, 16);
                }
                Notify(2, static_cast<int32_t>(id), 1, 2);
            } else {
                Step_Scan = wired::ReadSelected;
            }
        } else if (link.Answer_TimeOut()) {
            Short_TimeOut();
            Step_Scan = Sec_Add_Next_Step;
        }
        break;

    // Close.
    case wired::Close:
        Count_Disable_Analyzer = 0;
        flags.AbortScan = false;
        Step_Scan = 201;
        break;
    case 201:
        if (!ethernet || Count_Disable_Analyzer > 2) {
            Step_Scan = wired::Closed;
            Close_Link();
        } else {
            ++Count_Disable_Analyzer;
            link.TimeOut_Calc = CommandTimeoutMs;
            link.Send_Command(command::DisableAnalyzer, m_settings.ConverterPort);
            Step_Scan = 202;
        }
        break;
    case 202:
        if (link.Answer_Arrived()) {
            if (link.Take_Answer() == reply::AnalyzerDisabled) {
                Step_Scan = wired::Closed;
                Close_Link();
            } else {
                Step_Scan = 201;
            }
        } else if (link.Answer_TimeOut()) {
            Step_Scan = 201;
        }
        break;
    case wired::Closed:
        break;

    default:
        if (Step_Scan >= wired::FirstLevelStep && Step_Scan < wired::ReadSelected) {
            const int level = (Step_Scan - wired::FirstLevelStep) / 2 + 1;
            if ((Step_Scan - wired::FirstLevelStep) % 2 == 0)
                Level_First_Step(level);
            else
                Level_Second_Step(level);
        }
        break;
    }
}

void WiredScan::Level_First_Step(int level)
{
    if (m_env.flags.StopScan) {
        Step_Scan = wired::Close;
        return;
    }
    int& digit = Index[level - 1];
    ++digit;
    for (int i = level; i < 8; ++i)
        Index[i] = -1;
    if (digit > 9) {
        if (level == 1) {
            Phase_Scan_Sec_Add = 3;
            Type_To_Send_In_Last_Step = 2;
            Enable_Send_In_Last_Step = true;
            Step_Scan = wired::Close;
        } else {
            Step_Scan = Level_Step(level - 1);
        }
        return;
    }
    Send(Build_Select_Secondary(Index, m_settings.Fix_C_Field, m_settings.Fix_C_Field_Value), 0);
    Step_Scan = Level_Step(level) + 1;
}

void WiredScan::Level_Second_Step(int level)
{
    ConverterLink& link = m_env.link;
    const int32_t first = Level_Step(level);
    if (link.Answer_Arrived()) {
        switch (Classify_Answer(View(link.Take_Answer()))) {
        case AnswerKind::Acknowledge:
            Num_Frame_Read = 0;
            Sec_Add_Next_Step = first;
            Step_Scan = wired::ReadSelected;
            break;
        case AnswerKind::NoSlave:
            Step_Scan = first;
            break;
        default:
            // Several meters answered: narrow down by the next digit; the
            // last digit cannot be narrowed further.
            Step_Scan = level < 8 ? Level_Step(level + 1) : first;
            break;
        }
    } else if (link.Answer_TimeOut()) {
        Step_Scan = first;
    }
}

void WiredScan::Close_Link()
{
    m_env.link.Close();
    if (!m_env.SaveXMLFile.isEmpty() && m_env.writeWiredDump) {
        std::lock_guard lock(m_env.slaves.mutex);
        m_env.writeWiredDump(m_env.SaveXMLFile, m_env.slaves.wired);
    }
    if (Enable_Send_In_Last_Step)
        Notify(3, 0, 0, static_cast<int32_t>(Type_To_Send_In_Last_Step));
    m_env.flags.InScan = false;
}

} // namespace mbus
