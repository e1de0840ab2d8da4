#pragma once

#include "playlist/CdDataEdit.h"

#include <QDialog>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace tavi::playlist {

// "Edit CD data base": the track names in an editable "&Nr" combo box (typing replaces the
// selected track's name), "&Artist" and "&Title". Enter moves the focus from the combo box
// to the artist, to the title and back to the combo box; Enter elsewhere is OK. The dialog
// edits a CdDataEdit; the caller writes it to the database on OK.
class CDatabaseDlg : public QDialog {
    Q_OBJECT
public:
    explicit CDatabaseDlg(CdDataEdit data, QWidget* parent = nullptr);

    const CdDataEdit& data() const { return m_data; }
    QComboBox* tracks() const { return m_tracks; }
    QLineEdit* artist() const { return m_artist; }
    QLineEdit* title() const { return m_title; }
    QLabel* number() const { return m_number; }
    QPushButton* okButton() const { return m_ok; }
    QPushButton* cancelButton() const { return m_cancel; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildLayout();
    void ShowSelected();
    QWidget* NextOnEnter(QObject* watched) const;

    CdDataEdit m_data;
    QComboBox* m_tracks;
    QLineEdit* m_artist;
    QLineEdit* m_title;
    QLabel* m_number;
    QPushButton* m_ok;
    QPushButton* m_cancel;
};

}  // namespace tavi::playlist
