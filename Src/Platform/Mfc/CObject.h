// Root of the class hierarchy.
#pragma once

class CObject {
public:
    virtual ~CObject() = default;

protected:
    CObject() = default;

private:
    CObject(const CObject&) = delete;
    CObject& operator=(const CObject&) = delete;
};
