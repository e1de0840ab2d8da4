#pragma once

#include "ui/optionsheet/COptionsPage.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;

namespace tavi::ui {

// "Meta Data": whether display names come from tags, and the pattern that builds them.
class CMetaDataPage : public COptionsPage {
    Q_OBJECT
public:
    static constexpr int kMaxFormatLength = 255;

    // Shows UseMetaData and DisplayNameFormat as they are now.
    explicit CMetaDataPage(QWidget* parent = nullptr);

    bool Validate(QString* message) override;
    void Apply() override;

    QCheckBox* useMetaDataBox() const { return m_useMetaData; }
    QLineEdit* formatEdit() const { return m_format; }
    QLabel* formatLabel() const { return m_formatLabel; }
    QLabel* legendLabel() const { return m_legendLabel; }
    QPlainTextEdit* legend() const { return m_legend; }

private:
    void UpdateEnabling();

    QCheckBox* m_useMetaData;
    QLabel* m_formatLabel;
    QLineEdit* m_format;
    QLabel* m_legendLabel;
    QPlainTextEdit* m_legend;
};

}  // namespace tavi::ui
