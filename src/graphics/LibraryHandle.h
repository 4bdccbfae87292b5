#pragma once
// TLibraryHandle: a reference to an image library that the library clears when it goes (it is
// registered with the library as a client), so users of a class-wide or a remembered library
// never reach one that is gone. It owns its registration only.

class TPX8Library;

class TLibraryHandle {
  public:
    TLibraryHandle() = default;
    explicit TLibraryHandle(TPX8Library* library) { Set(library); }
    ~TLibraryHandle() { Set(nullptr); }
    // Registered by address: a handle stays where it is.
    TLibraryHandle(const TLibraryHandle&) = delete;
    TLibraryHandle& operator=(const TLibraryHandle&) = delete;

    // Leaves the old library and registers with the new one (nullptr for none).
    void Set(TPX8Library* library);
    TPX8Library* Get() const { return Library; }
    TPX8Library* operator->() const { return Library; }
    explicit operator bool() const { return Library != nullptr; }

  private:
    TPX8Library* Library = nullptr;
};
