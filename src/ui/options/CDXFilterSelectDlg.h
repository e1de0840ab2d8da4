#pragma once

#include <QDialog>
#include <QString>

class QListWidget;

namespace tavi::ui {

// "Add DirectX Plug-in": picks one of the installed sound-effect elements (GStreamer
// factories of class "Filter/Effect/Audio"; LADSPA and LV2 plug-ins appear through
// GStreamer's bridges).
class CDXFilterSelectDlg : public QDialog {
    Q_OBJECT
public:
    explicit CDXFilterSelectDlg(QWidget* parent = nullptr);

    // The chosen factory's name; empty when nothing is selected.
    QString selectedFactory() const;
    QListWidget* pluginList() const { return m_list; }

    // The installed effects as (long name, factory name), sorted by long name.
    static std::vector<std::pair<QString, QString>> InstalledEffects();

private:
    QListWidget* m_list;
};

}  // namespace tavi::ui
