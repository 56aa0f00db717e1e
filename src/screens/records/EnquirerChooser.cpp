#include "screens/records/EnquirerChooser.h"

#include "screens/records/frmSelectEnquirer.h"

QString DialogEnquirerChooser::ChooseEnquirer(Purpose purpose, QWidget* owner)
{
    frmSelectEnquirer dialog(owner);
    if (purpose == Purpose::Import)
        dialog.SetForImport();
    else
        dialog.SetForExport();
    dialog.exec();
    return dialog.GetSelectEnquirerId();
}
