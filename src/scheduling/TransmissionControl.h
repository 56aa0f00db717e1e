#pragma once

#include "scheduling/ScheduleOwner.h"

#include <cstdint>
#include <functional>
#include <memory>

class Exchanges;

// The send-and-receive screen's work: a send and receive now, the
// communication test, and the rows HCOMIM and HEXCIM that start runs at
// their times while the screen is open.
class TransmissionControl : public ScheduleOwner {
    Q_OBJECT

public:
    // The run of "Send / Receive Now", beside the rows' indexes.
    static constexpr int ManualIndex = 2;
    // How long a run in scheduler test mode waits, letting events run.
    static constexpr int TestModeWaitMilliseconds = 5000;

    using Waiter = std::function<void(int milliseconds)>;
    using LogShower = std::function<void(std::shared_ptr<LogLines> log)>;

    TransmissionControl(CDataBase& database, std::shared_ptr<Exchanges> exchanges, QObject* parent = nullptr);

    // The wait of a run in scheduler test mode (a real one by default).
    void SetWaiter(Waiter waiter) { m_wait = std::move(waiter); }
    // Shows a run's log over the screen.
    void SetLogShower(LogShower shower) { m_showLog = std::move(shower); }

    void InitialiseForm();

    static QString RowCaption(int index);
    static QString EditorTitle(int index);
    static QString RetryText(int index);

    void SwitchRow(int index, bool on) override;
    // The row is read again first: the editor shows what is stored.
    MiniScheduler* BeginEdit(int index) override;

    // 0 immediate connection, 1 scheduled connection.
    void ChooseConnectType(int index);
    int ConnectType() const { return m_connectType; }

    // The two connection options, the buttons of the immediate connection
    // and Close.
    bool ImmediateControlsEnabled() const { return m_immediateEnabled; }
    bool TestModeShown() const;
    QString CommsOut() const { return m_commsOut; }

    void Tick() override;
    void SendReceiveNow();
    void RunCommsTest();

    enum class CloseAnswer { Close, Refused, Ignored };
    // The close box: refused while a row is switched on, ignored while a
    // run holds Close disabled.
    CloseAnswer QueryClose();

signals:
    void ControlsChanged();
    void CommsOutChanged(const QString& text);

protected:
    void LineAdded(const LogLine& line) override;

private:
    void RunScheduleIfDue(int index);
    // A run under "COMRUN": index 0 or 1 a row's, 2 the manual one; true
    // without fatal errors.
    bool DoSendAndReceive(int index);
    void RunExchange(int index, LogLines& log, bool& success);
    void SetImmediateControls(bool enabled);
    void SetCommsOut(const QString& text);

    std::shared_ptr<Exchanges> m_exchanges;
    Waiter m_wait;
    LogShower m_showLog;
    int m_connectType = 0;
    bool m_immediateEnabled = true;
    QString m_commsOut;
};
