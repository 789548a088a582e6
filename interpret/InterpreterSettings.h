#pragma once

class CSettings;

// The four stored values of the interpretation window ("Interpreter"):
// read when the window is made, written when the main frame goes away.
// The options page edits the same values, stored only.
struct InterpreterSettings {
    bool hidden = false;        // "Lock Hide"
    bool lockPosition = false;  // "Lock Pos"
    bool littleEndian = true;   // "Little Endian"
    int decimal = 0;            // "Decimal", 0 or 1

    // A stored value other than 0 or 1 counts as 1.
    static InterpreterSettings load(const CSettings& settings);
    bool store(CSettings& settings) const;
};

// The "Interpretation" options page without its widgets: two radio groups
// and two check boxes over the same four values.
struct InterpretationPageOptions {
    int byteOrder = 0;     // 0 "Little Endian", 1 "Big Endian"
    int numberSystem = 0;  // 0 "Hexadecimal", 1 "Decimal"
    bool autoShow = true;  // "Auto Show Window": not hidden
    bool lockPosition = false;

    static InterpretationPageOptions from(const InterpreterSettings& stored);
    InterpreterSettings toSettings() const;
};
