#pragma once

#include <QByteArrayView>

// How many clients connected to a sound server between two points in what its event monitor
// printed: `pactl subscribe` for PulseAudio ("Event 'new' on client #12"), `pw-mon` for
// PipeWire (a block of type PipeWire:Interface:Client, told apart by its object.serial, since
// PipeWire hands a freed id to the next object). `before` is a prefix of `all`.
int newClients(QByteArrayView before, QByteArrayView all);
