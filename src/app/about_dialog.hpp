// The About dialog: product name, version, the home page link and one button.
#pragma once

#include <QDialog>

namespace kelvora {

class About : public QDialog {
    Q_OBJECT
public:
    explicit About(QWidget* parent = nullptr);
};

} // namespace kelvora
