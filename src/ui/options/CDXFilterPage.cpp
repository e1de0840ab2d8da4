#include "CDXFilterPage.h"

#include "CDXFilterSelectDlg.h"
#include "CElementPropertiesDlg.h"
#include "LiveEffects.h"
#include "engines/directshow/CDirectShowPersistFilterList.h"
#include "engines/directshow/CDirectShowTrack.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

namespace tavi::ui {

namespace {

constexpr int kIdRole = Qt::UserRole;
// Combo item data: an index into the device list, or the configured absent output.
constexpr int kAbsentOutput = -1;

QString LongName(const QString& factory) {
    GstElementFactory* found = gst_element_factory_find(factory.toLatin1().constData());
    if (!found) {
        return factory;
    }
    const QString name =
        QString::fromUtf8(gst_element_factory_get_metadata(found, GST_ELEMENT_METADATA_LONGNAME));
    gst_object_unref(found);
    return name;
}

}  // namespace

CDXFilterPage::CDXFilterPage(engines::CMediaTrack* currentTrack, QWidget* parent)
    : COptionsPage(parent),
      m_effects(new QListWidget),
      m_properties(new QPushButton(tr("&Properties..."))),
      m_add(new QPushButton(tr("&Add..."))),
      m_remove(new QPushButton(tr("&Remove"))),
      m_output(new QComboBox) {
    setWindowTitle(tr("DirectX Plug-ins"));
    gst::EnsureInitialized();
    if (auto* track = dynamic_cast<engines::CDirectShowTrack*>(currentTrack)) {
        if (GstElement* pipeline = track->GetPipelineElement()) {
            m_livePipeline.reset(GST_ELEMENT(gst_object_ref(pipeline)));
        }
    }
    auto* text =
        new QLabel(tr("Use DirectX Plug-ins to add digital sound effects. New "
                      "plug-ins become active when you start the next song."));
    text->setWordWrap(true);
    auto* effectsLabel = new QLabel(tr("&Effects"));
    effectsLabel->setBuddy(m_effects);
    auto* outputLabel = new QLabel(tr("&Output device"));
    outputLabel->setBuddy(m_output);
    m_effects->setDragDropMode(QAbstractItemView::InternalMove);
    m_effects->setDefaultDropAction(Qt::MoveAction);

    auto* layout = new QGridLayout(this);
    layout->addWidget(text, 0, 0, 1, 2);
    layout->addWidget(effectsLabel, 1, 0, 1, 2);
    layout->addWidget(m_effects, 2, 0, 4, 1);
    layout->addWidget(m_properties, 2, 1);
    layout->addWidget(m_add, 3, 1);
    layout->addWidget(m_remove, 4, 1);
    layout->setRowStretch(5, 1);
    layout->addWidget(outputLabel, 6, 0, 1, 2);
    layout->addWidget(m_output, 7, 0, 1, 2);

    connect(m_add, &QPushButton::clicked, this, &CDXFilterPage::OnAdd);
    connect(m_remove, &QPushButton::clicked, this, &CDXFilterPage::removeSelectedEffect);
    connect(m_properties, &QPushButton::clicked, this, &CDXFilterPage::OnProperties);
    connect(m_effects, &QListWidget::itemDoubleClicked, this, &CDXFilterPage::OnProperties);
    connect(m_effects, &QListWidget::currentRowChanged, this, &CDXFilterPage::UpdateButtons);

    ListConfiguredEffects();
    ListOutputDevices();
    UpdateButtons();
}

CDXFilterPage::~CDXFilterPage() = default;

// Live elements where the current track runs them, else new ones from the saved settings;
// effects with neither are left out.
void CDXFilterPage::ListConfiguredEffects() {
    const auto& configured = engines::directShowFilters().effects;
    std::vector<gst::ElementPtr> live;
    if (m_livePipeline) {
        live = FindLiveEffects(m_livePipeline.get(), configured);
    }
    for (size_t i = 0; i < configured.size(); ++i) {
        gst::ElementPtr element;
        if (m_livePipeline) {
            element = std::move(live[i]);
        } else {
            QString error;
            element = configured[i].Create(&error);
        }
        if (element) {
            AppendEffect(configured[i].name, std::move(element));
        }
    }
}

void CDXFilterPage::ListOutputDevices() {
    m_devices = tavi::ui::ListOutputDevices();
    const auto& configured = engines::directShowFilters().output;
    int selected = -1;
    for (size_t i = 0; i < m_devices.size(); ++i) {
        m_output->addItem(m_devices[i].name, int(i));
        if (configured && selected < 0 && configured->name == m_devices[i].name) {
            selected = int(i);
        }
    }
    if (configured && selected < 0) {
        // Unplugged, or its sound server is not running: kept rather than dropped on OK.
        m_absentOutput = configured;
        m_output->addItem(configured->name, kAbsentOutput);
        selected = m_output->count() - 1;
    }
    m_output->setCurrentIndex(selected);
}

void CDXFilterPage::AppendEffect(QString name, gst::ElementPtr element) {
    const quint64 id = m_nextId++;
    auto* item = new QListWidgetItem(name, m_effects);
    item->setData(kIdRole, id);
    item->setFlags(item->flags() & ~Qt::ItemIsDropEnabled);  // items move, never merge
    m_effectsById[id] = Effect{std::move(name), std::move(element)};
}

bool CDXFilterPage::addEffect(const QString& factory) {
    gst::ElementPtr element = gst::MakeElement(factory.toLatin1().constData(), nullptr, nullptr);
    if (!element) {
        return false;
    }
    AppendEffect(LongName(factory), std::move(element));
    m_effects->setCurrentRow(m_effects->count() - 1);
    return true;
}

void CDXFilterPage::removeSelectedEffect() {
    QListWidgetItem* item = m_effects->currentItem();
    if (!item) {
        return;
    }
    m_effectsById.erase(item->data(kIdRole).toULongLong());
    delete item;
    UpdateButtons();
}

GstElement* CDXFilterPage::effectElement(int row) const {
    const QListWidgetItem* item = m_effects->item(row);
    if (!item) {
        return nullptr;
    }
    const auto found = m_effectsById.find(item->data(kIdRole).toULongLong());
    return found == m_effectsById.end() ? nullptr : found->second.element.get();
}

void CDXFilterPage::OnAdd() {
    const QString factory = PromptForEffect();
    if (!factory.isEmpty()) {
        addEffect(factory);
    }
}

void CDXFilterPage::OnProperties() {
    const int row = m_effects->currentRow();
    if (GstElement* element = effectElement(row)) {
        ShowProperties(element, m_effects->item(row)->text());
    }
}

QString CDXFilterPage::PromptForEffect() {
    CDXFilterSelectDlg dialog(this);
    return dialog.exec() == QDialog::Accepted ? dialog.selectedFactory() : QString();
}

void CDXFilterPage::ShowProperties(GstElement* element, const QString& caption) {
    CElementPropertiesDlg dialog(element, caption, this);
    dialog.exec();
}

void CDXFilterPage::UpdateButtons() {
    const bool selected = m_effects->currentRow() >= 0;
    m_properties->setEnabled(selected);
    m_remove->setEnabled(selected);
}

void CDXFilterPage::Apply() {
    engines::CDirectShowPersistFilterList& list = engines::directShowFilters();
    list.effects.clear();
    for (int row = 0; row < m_effects->count(); ++row) {
        const Effect& effect = m_effectsById.at(m_effects->item(row)->data(kIdRole).toULongLong());
        engines::CDirectShowPersistFilter filter =
            engines::CDirectShowPersistFilter::Capture(effect.element.get());
        filter.name = effect.name;
        list.effects.push_back(std::move(filter));
    }
    list.output.reset();
    const int index = m_output->currentIndex();
    if (index < 0) {
        return;
    }
    const int device = m_output->itemData(index).toInt();
    if (device == kAbsentOutput) {
        list.output = m_absentOutput;
    } else {
        list.output = m_devices[size_t(device)].Capture();
    }
}

}  // namespace tavi::ui
