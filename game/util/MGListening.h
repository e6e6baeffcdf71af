#pragma once
// Registration with the frame manager, the engine keyboard and the engine
// mouse for objects that listen now and then: *apListening says whether the
// listener is registered, so asking twice for the same does nothing (the
// first order stays) and the object can always leave in its destructor.
// Without the manager (made or deleted at shut-down) the listener counts as
// not registered.
class VoIFrameListener;
class VoIKeyboardListener;
class VoIMouseListener;

void MGListenToFrames(VoIFrameListener* apListener, float aOrder, bool aListen, bool* apListening);
void MGListenToKeys(VoIKeyboardListener* apListener, float aOrder, bool aListen, bool* apListening);
void MGListenToMouse(VoIMouseListener* apListener, float aOrder, bool aListen, bool* apListening);
