#pragma once

// COM on the calling thread while the guard lives: CoUninitialize for every successful
// start, also when what runs inside it raises. A single-threaded apartment, because the
// shell's objects (links, the extensions ShellExecute may hand a file to) are
// apartment-threaded and the programs call them from their one user-interface thread.
// OLE1's DDE is switched off, as the shell asks of ShellExecute's callers: nothing here
// speaks OLE1.
class TComApartment {
public:
    TComApartment();
    ~TComApartment();
    TComApartment(const TComApartment&) = delete;
    TComApartment& operator=(const TComApartment&) = delete;

    // False when the thread could not join (another kind of apartment, say): make no COM calls.
    bool Ready() const { return FReady; }

private:
    bool FReady;
};
