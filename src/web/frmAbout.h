// The about box.
#pragma once

#include <QDialog>

#include "platform/Platform.h"

class QLabel;
class QPushButton;

namespace web {

class frmAbout : public QDialog {
    Q_OBJECT
public:
    explicit frmAbout(platform::Platform& platform, QWidget* parent = nullptr);

    QLabel* picIcon;
    QLabel* Label2;
    QLabel* Label1;
    QLabel* lblHomePage;
    QPushButton* cmdOK;
};

}  // namespace web
