// What the host's tests share: a demo office database and invoice in a temporary folder, the host
// window opened on them, modal dialogs answered as a person answers them, widgets found by name.
#pragma once

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QTest>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>

#include "common/datei_hilfe.h"
#include "dao/testdatenbank.h"
#include "dienste/dienste.h"
#include "hauptfenster.h"
#include "vorschau.h"

namespace vkhost::test {

// Runs `antwort` on the next modal dialog that appears while `aktion` runs; fails the test when none
// appeared.
void ModalBeantworten(const std::function<void(QWidget&)>& antwort, const std::function<void()>& aktion);
// The text of the message box that appears while `aktion` runs (closed then), "" for none.
QString Meldung(const std::function<void()>& aktion);

// Runs `aktion`; a modal dialog that appears meanwhile fails the test and is closed.
void OhneModal(const std::function<void()>& aktion);

// The button of a modal widget with this text (e.g. "Ja"), or nullptr.
QAbstractButton* KnopfMitText(QWidget& w, const QString& text);
// Clicks the child button of this object name.
void Klick(QWidget& w, const char* name);

using vktest::DateiLesen;
// `vk tables FILE` of the command line: the tables and their tags as text.
std::string TabellenText(const std::filesystem::path& datei);
// Runs the command line with these arguments; its exit status.
int Befehl(const std::string& argumente);

class HostTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Opens the host on the demo database, invoice 1, user 1, and the invoice `dokument`.
    void Öffnen(const std::filesystem::path& dokument);
    // A fresh invoice from the template ("Arbeit.docx"), opened.
    std::filesystem::path ArbeitÖffnen();
    // The category's dialog opened on the invoice's first table of it, chosen in the table choice.
    void AufTabelleÖffnen(int kategorie);
    // The main window made active, as after a click into it.
    void Aktivieren();
    // The active category dialog's sub-window (nullptr for none) and a widget of it by control name.
    QMdiSubWindow* Dialog() const;
    template <class W>
    W* Widget(const char* name) const {
        QMdiSubWindow* d = Dialog();
        W* w = d ? d->findChild<W*>(name) : nullptr;
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
    // Lets queued events (deferred deletes) run.
    static void Warten();

    std::filesystem::path ordner_;
    std::filesystem::path datenbank_, vorlage_, rechnung_;
    std::unique_ptr<QtDienste> dienste_;
    std::unique_ptr<Hauptfenster> fenster_;
};

}  // namespace vkhost::test
