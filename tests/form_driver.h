#pragma once

#include "app/desktop/main_window.h"
#include "runtime/qt/text_boxes.h"

#include <QMessageBox>
#include <QPushButton>
#include <QString>
#include <QStringList>

#include <memory>

// Drives the main form as its user does: types into the coefficient boxes,
// clicks the buttons and reads what the window shows.
class FormDriver {
public:
    // Loads and shows the form as the program's start does.
    FormDriver();
    ~FormDriver();

    MainWindow& form() const { return *form_; }
    runtime::qt::TextBox& coefficient(int index) const;
    runtime::qt::MultiLineTextBox& output() const;
    runtime::qt::MultiLineTextBox& saying() const;
    QPushButton& button(int index) const;

    // Selects all in the box and types over it, key by key.
    void type(int box, const QString& text);
    // Selects all in the box and pastes over it with Ctrl+V.
    void paste(int box, const QString& text);
    void click(int button);
    // "Чисти", the two coefficients, "Въведи".
    void solve(const QString& a, const QString& b);

    // The output box's text as the program wrote it, CR LF included.
    QString outputText() const { return output().text(); }
    // Solves with a coefficient beyond a double's range and gives back the
    // error report that is then open.
    QMessageBox* openErrorReport();
    // Closes the error reports that are open and gives back their texts.
    QStringList closeErrorReports();

private:
    template <class Widget>
    Widget& child(const char* name) const;

    std::unique_ptr<MainWindow> form_;
};

// Makes `window` Qt's active window, as a click on it does, on any platform
// (Qt 6.5 and later deprecate this; on Wayland a client cannot ask for it).
void makeActive(QWidget& window);

inline const QString solveButtonText = QStringLiteral("Въведи");
inline const QString clearButtonText = QStringLiteral("Чисти");
