#include "platform/VoApp.h"

bool VoApp::OnMouseDown(const VoString&, int) {
    return true;
}

bool VoApp::OnMouseUp(const VoString&, int) {
    return true;
}

bool VoApp::OnMouseMove(const VoString&, VoVector2*) {
    return true;
}

bool VoApp::OnKeyDown(int) {
    return true;
}

bool VoApp::OnKeyUp(int) {
    return true;
}
