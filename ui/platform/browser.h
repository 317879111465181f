#pragma once

class QString;

// Hands a web address to the user's default browser and returns without waiting.
// Failure is silent: the program goes on as before.
class Browser {
public:
    virtual ~Browser() = default;
    virtual void open(const QString& address) = 0;
};
