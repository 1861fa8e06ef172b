#pragma once

#include <functional>

// The root of the classes whose events name their sender.
class TObject {
public:
    virtual ~TObject() = default;
};

using TNotifyEvent = std::function<void(TObject* Sender)>;
