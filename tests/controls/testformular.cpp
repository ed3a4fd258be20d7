#include "controls/testformular.h"

#include <cstdint>

#include "common/funktionen.h"
#include "common/nachricht.h"
#include "platform/controls/mauszeiger.h"

namespace vktest {

using namespace vk::ui;

frmTest::frmTest() : Form("frmTest") {
    mskAnzahl.SetMask("##");
    txtZahlen.SetLocked(true);
    GridGebühren.Move(120, 600, 7000, 2400);
    GridGebühren.SetZellEditor(2, &ComboBox4);
    GridGebühren.SetAnfügeSpalte(5);
    ComboBox4.SetHeight(315);

    MaskEdBoxWert.GotFocus.Verbinden([this] {
        protokoll.push_back("GotFocus");
        vk::AllesMarkieren(MaskEdBoxWert);
    });
    MaskEdBoxWert.Change.Verbinden([this] { protokoll.push_back("Change"); });
    MaskEdBoxWert.KeyPress.Verbinden([this](int& code) {
        if (code == ',' || code == '.') {
            protokoll.push_back("Wert_Key");
            vk::Wert_Key(MaskEdBoxWert, 8, 2);
            code = 0;
        }
    });
    MaskEdBoxWert.LostFocus.Verbinden([this] {
        protokoll.push_back("LostFocus");
        MaskEdBoxWert.SetText(vk::WertFormatieren(MaskEdBoxWert.Text(), 8, 2));
        Berechnen();
    });
    mskAnzahl.GotFocus.Verbinden([this] { vk::AllesMarkieren(mskAnzahl); });
    mskAnzahl.LostFocus.Verbinden([this] { mskAnzahl.SetText(vk::WertFormatieren(mskAnzahl.Text(), 2, 0)); });
    chkÜbernahme.Click.Verbinden([this] { protokoll.push_back("chkÜbernahme_Click"); });
    optArt.Click.Verbinden([this](int index) {
        protokoll.push_back("optArt_Click(" + std::to_string(index) + ")");
        MaskEdBoxWert.SetEnabled(index != 2);
    });

    GridGebühren.EditEnd.Verbinden([this](std::int16_t& annehmen) {
        protokoll.push_back("EditEnd");
        const int spalte = GridGebühren.Col();
        if (spalte == 3) GridGebühren.SetText(vk::WertFormatieren(GridGebühren.Text(), 5, 0));
        if (spalte == 4) GridGebühren.SetText(vk::WertFormatieren(GridGebühren.Text(), 8, 2));
        const int r = GridGebühren.Row();
        GridGebühren.SetTextMatrix(r, 5, vk::WertFormatieren(vk::CVal(GridGebühren.TextMatrix(r, 3)) *
                                                                 vk::CVal(GridGebühren.TextMatrix(r, 4)), 9, 2));
        annehmen = 0;
        Berechnen();
    });
    GridGebühren.KeyDown.Verbinden([this](std::int16_t& taste, int shift) {
        if ((taste != taste::Tab && taste != taste::Rechts) || shift != 0 || GridGebühren.Col() != 5) return;
        protokoll.push_back("KeyDown");
        if (GridGebühren.Row() == GridGebühren.Rows()) {
            NeuWerte(true);
            Berechnen();
        } else {
            GridGebühren.SetRow(GridGebühren.Row() + 1);
        }
        taste = 0;
    });
    GridGebühren.RowColChange.Verbinden([this] { TestComboEdit(GridGebühren.Row(), GridGebühren.Col()); });
    ComboBox4.LostFocus.Verbinden([this] {
        protokoll.push_back("ComboBox4_LostFocus");
        GridGebühren.SetTextMatrix(GridGebühren.Row(), 2, ComboBox4.Text());
        ComboBox4.SetVisible(false);
        if (ActiveControl() == &GridGebühren) GridGebühren.SetCol(3);
        TestComboEdit(GridGebühren.Row(), GridGebühren.Col());
    });

    CommandNeu.Click.Verbinden([this] { NeuWerte(true); });
    CommandLöschen.Click.Verbinden([this] {
        if (GridGebühren.Rows() < 2) return;
        if (vk::MsgBox("Zeile löschen?", 36) != 6) return;
        while (!GridGebühren.SelectedRows().empty()) GridGebühren.RemoveRow(GridGebühren.SelectedRows().front());
        Berechnen();
    });
    CommandEnde.Click.Verbinden([this] {
        protokoll.push_back("CommandEnde_Click");
        Unload();
        protokoll.push_back("nach Unload");  // the instance lives on until nothing runs any more
    });
}

void frmTest::Form_Load() {
    ++ladungen;
    ComboBox4.Clear();
    for (const char* eintrag : {"ja", "nein"}) ComboBox4.AddItem(eintrag);
    ComboBox4.SetListIndex(0);
    ComboBox4.SetVisible(false);
    GridGebühren.SetCols(5);
    GridGebühren.SetRows(1);
    GridGebühren.SetRowHeight(1, 300);
    GridGebühren.SetZelle(1, 1);
    NeuWerte();
    const int breiten[] = {2840, 1000, 900, 1400, 1000};
    for (int c = 1; c <= 5; ++c) GridGebühren.SetColWidth(c, breiten[c - 1]);
    GridGebühren.SetColReadOnly(5, true);
    optArt(0).SetValue(true);
    MaskEdBoxWert.SetText("    0,00");
    InHostEinbetten(kHostFenster);
    protokoll.clear();
}

void frmTest::Form_Unload() {
    if (entladungen) ++*entladungen;
}

void frmTest::NeuWerte(bool neueZeile) {
    if (neueZeile) {
        GridGebühren.InsertRow(GridGebühren.Row());
        GridGebühren.SetRowHeight(GridGebühren.Row(), 300);
    }
    const char* werte[] = {"Flst.Nr. 123/4", "ja", "  800", "   10,00", " 8.000,00"};
    for (int c = 1; c <= 5; ++c) GridGebühren.SetTextMatrix(GridGebühren.Row(), c, werte[c - 1]);
}

void frmTest::Berechnen() {
    protokoll.push_back("Berechnen");
    double summe = 0;
    for (int r = 1; r <= GridGebühren.Rows(); ++r)
        if (GridGebühren.TextMatrix(r, 2) == "ja") summe += vk::CVal(GridGebühren.TextMatrix(r, 5));
    lblGebühr.SetCaption(vk::WertFormatieren(summe, 11, 2));
}

void frmTest::TestComboEdit(int row, int col) {
    if (col != 2) {
        ComboBox4.SetVisible(false);
        return;
    }
    ComboBox4.SetListIndex(GridGebühren.TextMatrix(row, 2) == "nein" ? 1 : 0);
    ComboBox4.ÜberZelleLegen(GridGebühren, row, col);
}

void FormularTest::SetUp() {
    Formen::AlleEntladen();
    StandardBildschirm().Zurücksetzen();
    StandardFensterverwaltung().Zurücksetzen();
    vk::StandardNachrichten().Zuruecksetzen();
    form().Show();
}

void FormularTest::TearDown() { Formen::AlleEntladen(); }

}  // namespace vktest
