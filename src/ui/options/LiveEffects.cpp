#include "LiveEffects.h"

namespace tavi::ui {

namespace {

QString FactoryName(GstElement* element) {
    GstElementFactory* factory = gst_element_get_factory(element);
    return factory ? QString::fromLatin1(GST_OBJECT_NAME(factory)) : QString();
}

// The element a source pad feeds, inside the same bin.
gst::ElementPtr Downstream(GstElement* element) {
    GstPad* source = gst_element_get_static_pad(element, "src");
    if (!source) {
        return nullptr;
    }
    GstPad* peer = gst_pad_get_peer(source);
    gst_object_unref(source);
    if (!peer) {
        return nullptr;
    }
    gst::ElementPtr next(gst_pad_get_parent_element(peer));
    gst_object_unref(peer);
    return next;
}

// The chain's elements from its input to its output, in order.
std::vector<gst::ElementPtr> ChainOf(GstElement* bin) {
    std::vector<gst::ElementPtr> chain;
    GstPad* ghost = gst_element_get_static_pad(bin, "sink");
    if (!ghost) {
        return chain;
    }
    GstPad* target = gst_ghost_pad_get_target(GST_GHOST_PAD(ghost));
    gst_object_unref(ghost);
    if (!target) {
        return chain;
    }
    gst::ElementPtr element(gst_pad_get_parent_element(target));
    gst_object_unref(target);
    while (element && GST_OBJECT_PARENT(element.get()) == GST_OBJECT(bin) && chain.size() < 1024) {
        gst::ElementPtr next = Downstream(element.get());
        chain.push_back(std::move(element));
        element = std::move(next);
    }
    return chain;
}

}  // namespace

std::vector<gst::ElementPtr> FindLiveEffects(
    GstElement* pipeline, const std::vector<engines::CDirectShowPersistFilter>& configured) {
    std::vector<gst::ElementPtr> live(configured.size());
    if (!pipeline || !GST_IS_BIN(pipeline)) {
        return live;
    }
    gst::ElementPtr bin(gst_bin_get_by_name(GST_BIN(pipeline), "tavi-effects"));
    if (!bin) {
        return live;
    }
    std::vector<gst::ElementPtr> chain = ChainOf(bin.get());
    size_t next = 0;
    for (size_t i = 0; i < configured.size(); ++i) {
        for (size_t j = next; j < chain.size(); ++j) {
            if (FactoryName(chain[j].get()) == configured[i].factory) {
                live[i] = std::move(chain[j]);
                next = j + 1;
                break;
            }
        }
    }
    return live;
}

}  // namespace tavi::ui
