#include "startup/ProgramScreens.h"

#include "database/GlobalDatabase.h"
#include "scheduling/NevixExchanges.h"
#include "screens/admin/frmEditUser.h"
#include "screens/admin/frmInfo.h"
#include "screens/admin/frmMenu.h"
#include "screens/admin/frmParameters.h"
#include "screens/admin/frmProgress.h"
#include "screens/records/frmDEB.h"
#include "screens/records/frmVQ3.h"
#include "screens/records/frmVQ7.h"
#include "screens/transmission/frmTransmissionControl.h"
#include "screens/transmission/frmTransmissionStatus.h"

FormRegistry ProgramScreens()
{
    FormRegistry screens;
    screens.Register(MenuScreens::Information, [] { return std::make_unique<frmInfo>(); });
    screens.Register(MenuScreens::Log, [] { return std::make_unique<frmTransmissionStatus>(); });
    screens.Register(MenuScreens::Parameters, [] {
        return std::make_unique<frmParameters>(GlobalDatabase(), EditUserInWindow, EditBlacklistEntry);
    });
    screens.Register(MenuScreens::SendReceive, [] {
        return std::make_unique<frmTransmissionControl>(GlobalDatabase(), std::make_shared<NevixExchanges>());
    });
    // The record screens' exports report to the shared progress window.
    const auto tools = [] {
        RecordScreenTools tools;
        tools.MakeProgress = [](QWidget* owner) { return std::make_unique<frmProgress>(owner); };
        return tools;
    };
    screens.Register(MenuScreens::Responses, [tools] { return std::make_unique<frmVQ7>(nullptr, tools()); });
    screens.Register(MenuScreens::Debits, [tools] { return std::make_unique<frmDEB>(nullptr, tools()); });
    screens.Register(MenuScreens::Enquiries, [] {
        EnquiryScreenSeams seams;
        seams.makeProgress = [](QWidget* owner) { return std::make_unique<frmProgress>(owner); };
        return std::make_unique<frmVQ3>(std::move(seams));
    });
    return screens;
}
