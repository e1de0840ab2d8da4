#include "CElementPropertiesDlg.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QScrollArea>
#include <QSpinBox>
#include <QVBoxLayout>

#include <limits>

namespace tavi::ui {

namespace {

constexpr double kLargestShownDouble = 1e9;

// Owns a GValue of the property's type for the duration of one read or write.
struct PropertyValue {
    explicit PropertyValue(const GParamSpec* spec) { g_value_init(&value, spec->value_type); }
    ~PropertyValue() { g_value_unset(&value); }
    PropertyValue(const PropertyValue&) = delete;
    PropertyValue& operator=(const PropertyValue&) = delete;
    GValue value = G_VALUE_INIT;
};

// The numeric range of an integer or floating property; nullopt for other types.
std::optional<std::pair<double, double>> NumericRange(const GParamSpec* spec) {
    const auto range = [](auto* typed) {
        return std::make_pair(double(typed->minimum), double(typed->maximum));
    };
    if (G_IS_PARAM_SPEC_INT(spec))
        return range(G_PARAM_SPEC_INT(spec));
    if (G_IS_PARAM_SPEC_UINT(spec))
        return range(G_PARAM_SPEC_UINT(spec));
    if (G_IS_PARAM_SPEC_LONG(spec))
        return range(G_PARAM_SPEC_LONG(spec));
    if (G_IS_PARAM_SPEC_ULONG(spec))
        return range(G_PARAM_SPEC_ULONG(spec));
    if (G_IS_PARAM_SPEC_INT64(spec))
        return range(G_PARAM_SPEC_INT64(spec));
    if (G_IS_PARAM_SPEC_UINT64(spec))
        return range(G_PARAM_SPEC_UINT64(spec));
    if (G_IS_PARAM_SPEC_FLOAT(spec))
        return range(G_PARAM_SPEC_FLOAT(spec));
    if (G_IS_PARAM_SPEC_DOUBLE(spec))
        return range(G_PARAM_SPEC_DOUBLE(spec));
    return std::nullopt;
}

bool IsFloating(const GParamSpec* spec) {
    return G_IS_PARAM_SPEC_FLOAT(spec) || G_IS_PARAM_SPEC_DOUBLE(spec);
}

double ReadNumber(GstElement* element, const GParamSpec* spec) {
    PropertyValue property(spec);
    g_object_get_property(G_OBJECT(element), spec->name, &property.value);
    GValue asDouble = G_VALUE_INIT;
    g_value_init(&asDouble, G_TYPE_DOUBLE);
    g_value_transform(&property.value, &asDouble);
    return g_value_get_double(&asDouble);
}

void WriteNumber(GstElement* element, const GParamSpec* spec, double number) {
    GValue asDouble = G_VALUE_INIT;
    g_value_init(&asDouble, G_TYPE_DOUBLE);
    g_value_set_double(&asDouble, number);
    PropertyValue property(spec);
    if (g_value_transform(&asDouble, &property.value)) {
        g_object_set_property(G_OBJECT(element), spec->name, &property.value);
    }
}

QWidget* NumberEditor(GstElement* element, const GParamSpec* spec,
                      std::pair<double, double> range) {
    const double value = ReadNumber(element, spec);
    if (IsFloating(spec)) {
        auto* box = new QDoubleSpinBox;
        box->setDecimals(4);
        box->setRange(std::max(range.first, -kLargestShownDouble),
                      std::min(range.second, kLargestShownDouble));
        box->setValue(value);
        QObject::connect(box, &QDoubleSpinBox::valueChanged, box,
                         [element, spec](double v) { WriteNumber(element, spec, v); });
        return box;
    }
    auto* box = new QSpinBox;
    box->setRange(int(std::max(range.first, double(std::numeric_limits<int>::min()))),
                  int(std::min(range.second, double(std::numeric_limits<int>::max()))));
    box->setValue(int(value));
    QObject::connect(box, &QSpinBox::valueChanged, box,
                     [element, spec](int v) { WriteNumber(element, spec, v); });
    return box;
}

QWidget* BooleanEditor(GstElement* element, const GParamSpec* spec) {
    gboolean value = FALSE;
    g_object_get(element, spec->name, &value, nullptr);
    auto* box = new QCheckBox;
    box->setChecked(value);
    QObject::connect(box, &QCheckBox::toggled, box, [element, spec](bool on) {
        g_object_set(element, spec->name, gboolean(on), nullptr);
    });
    return box;
}

QWidget* EnumEditor(GstElement* element, const GParamSpec* spec) {
    gint current = 0;
    g_object_get(element, spec->name, &current, nullptr);
    auto* box = new QComboBox;
    const GEnumClass* enumClass = G_PARAM_SPEC_ENUM(spec)->enum_class;
    for (guint i = 0; i < enumClass->n_values; ++i) {
        const GEnumValue& value = enumClass->values[i];
        box->addItem(QString::fromUtf8(value.value_nick), value.value);
        if (value.value == current) {
            box->setCurrentIndex(int(i));
        }
    }
    QObject::connect(box, &QComboBox::currentIndexChanged, box, [element, spec, box](int index) {
        g_object_set(element, spec->name, gint(box->itemData(index).toInt()), nullptr);
    });
    return box;
}

// Any other type, as GStreamer's text form of the value; text that does not parse is put
// back to the element's value.
QWidget* TextEditor(GstElement* element, const GParamSpec* spec) {
    const auto read = [element, spec] {
        PropertyValue property(spec);
        g_object_get_property(G_OBJECT(element), spec->name, &property.value);
        if (G_VALUE_HOLDS_STRING(&property.value)) {
            return QString::fromUtf8(g_value_get_string(&property.value));
        }
        gchar* text = gst_value_serialize(&property.value);
        const QString result = QString::fromUtf8(text);
        g_free(text);
        return result;
    };
    auto* edit = new QLineEdit(read());
    QObject::connect(edit, &QLineEdit::editingFinished, edit, [element, spec, edit, read] {
        PropertyValue property(spec);
        const QByteArray text = edit->text().toUtf8();
        if (G_VALUE_HOLDS_STRING(&property.value)) {
            g_value_set_string(&property.value, text.constData());
        } else if (!gst_value_deserialize(&property.value, text.constData())) {
            edit->setText(read());
            return;
        }
        g_object_set_property(G_OBJECT(element), spec->name, &property.value);
    });
    return edit;
}

QWidget* EditorFor(GstElement* element, const GParamSpec* spec) {
    if (G_IS_PARAM_SPEC_BOOLEAN(spec)) {
        return BooleanEditor(element, spec);
    }
    if (G_IS_PARAM_SPEC_ENUM(spec)) {
        return EnumEditor(element, spec);
    }
    if (const auto range = NumericRange(spec)) {
        return NumberEditor(element, spec, *range);
    }
    return TextEditor(element, spec);
}

}  // namespace

bool CElementPropertiesDlg::IsEditable(const GParamSpec* spec) {
    const GParamFlags needed = GParamFlags(G_PARAM_READABLE | G_PARAM_WRITABLE);
    if ((spec->flags & needed) != needed || (spec->flags & G_PARAM_CONSTRUCT_ONLY)) {
        return false;
    }
    const QByteArray name(spec->name);
    return name != "name" && name != "parent";
}

CElementPropertiesDlg::CElementPropertiesDlg(GstElement* element, const QString& caption,
                                             QWidget* parent)
    : QDialog(parent), m_element(GST_ELEMENT(gst_object_ref(element))) {
    setWindowTitle(caption);
    auto* fields = new QWidget;
    auto* form = new QFormLayout(fields);
    GstState state = GST_STATE_NULL;
    gst_element_get_state(element, &state, nullptr, 0);
    guint count = 0;
    GParamSpec** specs = g_object_class_list_properties(G_OBJECT_GET_CLASS(element), &count);
    for (guint i = 0; i < count; ++i) {
        if (!IsEditable(specs[i])) {
            continue;
        }
        QWidget* editor = EditorFor(m_element.get(), specs[i]);
        editor->setObjectName(QString::fromLatin1(specs[i]->name));
        editor->setToolTip(QString::fromUtf8(g_param_spec_get_blurb(specs[i])));
        // Some settings only take effect before the element runs.
        const bool beforeRunOnly = specs[i]->flags & GST_PARAM_MUTABLE_READY;
        editor->setEnabled(!(beforeRunOnly && state > GST_STATE_READY));
        form->addRow(QString::fromLatin1(specs[i]->name), editor);
    }
    g_free(specs);
    auto* scroll = new QScrollArea;
    scroll->setWidget(fields);
    scroll->setWidgetResizable(true);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::accept);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(scroll);
    layout->addWidget(buttons);
    resize(420, 360);
}

}  // namespace tavi::ui
