#include "app/gate/heldinput.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPointer>
#include <QPointingDevice>
#include <QWheelEvent>

namespace {

// A device unplugged while its event was held: the primary one stands in for it.
const QPointingDevice* pointingDeviceOrPrimary(const QPointer<const QPointingDevice>& device)
{
    return device ? device.get() : QPointingDevice::primaryPointingDevice();
}

const QInputDevice* keyboardOrPrimary(const QPointer<const QInputDevice>& device)
{
    return device ? device.get() : QInputDevice::primaryKeyboard();
}

} // namespace

HeldInput holdWindowInput(const QEvent& event)
{
    switch (event.type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove: {
        const auto& mouse = static_cast<const QMouseEvent&>(event);
        return [type = mouse.type(), position = mouse.position(), scene = mouse.scenePosition(),
                   global = mouse.globalPosition(), button = mouse.button(), buttons = mouse.buttons(),
                   modifiers = mouse.modifiers(), device = QPointer(mouse.pointingDevice())] {
            return std::make_unique<QMouseEvent>(
                type, position, scene, global, button, buttons, modifiers, pointingDeviceOrPrimary(device));
        };
    }
    case QEvent::Wheel: {
        const auto& wheel = static_cast<const QWheelEvent&>(event);
        return [position = wheel.position(), global = wheel.globalPosition(), pixels = wheel.pixelDelta(),
                   angle = wheel.angleDelta(), buttons = wheel.buttons(), modifiers = wheel.modifiers(),
                   phase = wheel.phase(), inverted = wheel.inverted(), source = wheel.source(),
                   device = QPointer(wheel.pointingDevice())] {
            return std::make_unique<QWheelEvent>(position, global, pixels, angle, buttons, modifiers, phase, inverted,
                source, pointingDeviceOrPrimary(device));
        };
    }
    case QEvent::KeyPress:
    case QEvent::KeyRelease: {
        const auto& key = static_cast<const QKeyEvent&>(event);
        return [type = key.type(), code = key.key(), modifiers = key.modifiers(), scanCode = key.nativeScanCode(),
                   virtualKey = key.nativeVirtualKey(), nativeModifiers = key.nativeModifiers(), text = key.text(),
                   repeat = key.isAutoRepeat(), count = key.count(), device = QPointer(key.device())] {
            return std::make_unique<QKeyEvent>(type, code, modifiers, scanCode, virtualKey, nativeModifiers, text,
                repeat, count, keyboardOrPrimary(device));
        };
    }
    default:
        return {};
    }
}
