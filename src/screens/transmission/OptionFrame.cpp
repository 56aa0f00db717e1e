#include "screens/transmission/OptionFrame.h"

#include <QGroupBox>
#include <QRadioButton>
#include <QVBoxLayout>

QGroupBox* BuildOptionFrame(QWidget* owner, const QString& namePrefix, const QStringList& captions,
                            std::function<void(int index)> clicked,
                            std::vector<QRadioButton*>& options)
{
    auto* frame = new QGroupBox(QStringLiteral("Shut Down Options"), owner);
    frame->setObjectName(QStringLiteral("fraShutDown"));
    auto* layout = new QVBoxLayout(frame);
    options.clear();
    for (int i = 0; i < captions.size(); ++i) {
        auto* option = new QRadioButton(captions[i], frame);
        option->setObjectName(namePrefix + QString::number(i));
        layout->addWidget(option);
        QObject::connect(option, &QRadioButton::clicked, owner, [clicked, i] { clicked(i); });
        options.push_back(option);
    }
    options.front()->setChecked(true);
    return frame;
}
