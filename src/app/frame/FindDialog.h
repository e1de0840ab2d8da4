#pragma once

#include "FindInPlaylist.h"

#include <QDialog>

class QCheckBox;
class QLabel;
class QLineEdit;
class QRadioButton;

namespace tavi::frame {

// The modeless Find dialog of the playlist: the text, match case and the direction; no
// whole-word option. Find Next asks findNext with the request.
class FindDialog : public QDialog {
    Q_OBJECT
public:
    explicit FindDialog(QWidget* parent = nullptr);

    FindRequest Request() const;
    QLineEdit* textField() const { return m_text; }
    QCheckBox* matchCaseBox() const { return m_matchCase; }
    QRadioButton* upButton() const { return m_up; }
    // Shows "Cannot find ..." in the dialog (empty: clears it).
    void ShowNotFound(bool notFound);

Q_SIGNALS:
    void findNext(const FindRequest& request);

private:
    QLineEdit* m_text;
    QCheckBox* m_matchCase;
    QRadioButton* m_up;
    QRadioButton* m_down;
    QLabel* m_status;
};

}  // namespace tavi::frame
