#include "CDXFilterSelectDlg.h"

#include "platform/gst/GstSupport.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace tavi::ui {

std::vector<std::pair<QString, QString>> CDXFilterSelectDlg::InstalledEffects() {
    std::vector<std::pair<QString, QString>> effects;
    if (!gst::EnsureInitialized()) {
        return effects;
    }
    // Every element factory: the factory-type filters of GStreamer leave effects out.
    GList* factories = gst_registry_get_feature_list(gst_registry_get(), GST_TYPE_ELEMENT_FACTORY);
    for (GList* item = factories; item; item = item->next) {
        auto* factory = GST_ELEMENT_FACTORY(item->data);
        const char* klass = gst_element_factory_get_metadata(factory, GST_ELEMENT_METADATA_KLASS);
        if (!klass || !strstr(klass, "Filter/Effect/Audio")) {
            continue;
        }
        effects.emplace_back(QString::fromUtf8(gst_element_factory_get_metadata(
                                 factory, GST_ELEMENT_METADATA_LONGNAME)),
                             QString::fromLatin1(GST_OBJECT_NAME(factory)));
    }
    gst_plugin_feature_list_free(factories);
    std::sort(effects.begin(), effects.end(), [](const auto& a, const auto& b) {
        const int order = a.first.compare(b.first, Qt::CaseInsensitive);
        return order != 0 ? order < 0 : a.second < b.second;
    });
    return effects;
}

CDXFilterSelectDlg::CDXFilterSelectDlg(QWidget* parent) : QDialog(parent), m_list(new QListWidget) {
    setWindowTitle(tr("Add DirectX Plug-in"));
    auto* label = new QLabel(tr("&Installed DirectX Plug-ins"));
    label->setBuddy(m_list);
    for (const auto& [longName, factory] : InstalledEffects()) {
        auto* item = new QListWidgetItem(longName, m_list);
        item->setData(Qt::UserRole, factory);
        item->setToolTip(factory);
    }
    auto* buttons = new QDialogButtonBox;
    QPushButton* add = buttons->addButton(tr("&Add"), QDialogButtonBox::AcceptRole);
    buttons->addButton(QDialogButtonBox::Cancel);
    add->setDefault(true);
    add->setEnabled(false);
    connect(m_list, &QListWidget::currentRowChanged, add,
            [add](int row) { add->setEnabled(row >= 0); });
    connect(m_list, &QListWidget::itemDoubleClicked, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addWidget(m_list);
    layout->addWidget(buttons);
    resize(360, 320);
}

QString CDXFilterSelectDlg::selectedFactory() const {
    const QListWidgetItem* item = m_list->currentItem();
    return item ? item->data(Qt::UserRole).toString() : QString();
}

}  // namespace tavi::ui
