#include "app/ControlSearchView.h"

#include "platform/Prompts.h"

int ControlSearchView::Message(const std::string& text, UINT type) { return MessageBoxPrompt(text, type); }
