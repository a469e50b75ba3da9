#pragma once
// The system report's fixed pieces in each language, written out once for
// the unit tests and the end-to-end drivers. Patterns take printf's %d/%i.

struct system_report_labels {
    const char* memory_load;
    const char* physical;        // %6i MB
    const char* virtual_memory;  // %6i GB
    const char* note;
    const char* processors;  // %d
    const char* clock;
    const char* processor_note;
    const char* screen;   // %d x %d, %d bits
    const char* refresh;  // %d Hertz
    const char* ipv4_one;
    const char* ipv4_many;
    const char* os_lines;  // major, minor, build
    const char* printer;
    const char* words[4][2];  // days, hours, minutes, seconds: singular, plural
};

inline const system_report_labels german_report_labels = {
    "\r\n Speicherbelegung: ",
    "\r\n Physikalischer Speicher:         %6i MB ",
    "\r\n Virtueller Speicher:             %6i GB ",
    "\r\n\r\n Werte gem\xE4\xDF Win-API \"GlobalMemoryStatusEx\" \r\n (es kann aber mehr RAM-Speicher installiert sein) ",
    "\r\n\r\n Anzahl der Prozessoren:  %d ",
    "\r\n Aktuelle CPU-Frequenz:  ~",
    "\r\n (nur ein Prozessor wird vom Programm verwendet) ",
    "\r\n\r\n Bildschirmaufl\xF6sung = %d x %d Pixel - Farbtiefe %d Bit ",
    "\r\n Bildschirm Wiederholfrequenz (vertikal) = %d Hertz ",
    "\r\n\r\n IPv4-Adresse: ",
    "\r\n\r\n IPv4-Adressen: ",
    "\r\n\r\n Betriebssystem Version: \r\n Hauptversion: %d - Unterversion: %d - Build: %d \r\n = Windows ",
    "\r\n Standard Drucker = ",
    {{"Tag ", "Tage"}, {"Stunde ", "Stunden"}, {"Minute ", "Minuten"}, {"Sekunde", "Sekunden"}},
};

inline const system_report_labels english_report_labels = {
    "\r\n Used Memory: ",
    "\r\n Physical Memory:       %6i MB ",
    "\r\n Virtual Memory:        %6i GB ",
    "\r\n\r\n Values acc. to Win-API \"GlobalMemoryStatusEx\" \r\n (de facto more installed RAM is possible) ",
    "\r\n\r\n Number of Processors:  %d ",
    "\r\n Actual CPU-Frequency: ~",
    "\r\n (only one Processor is used by the Program) ",
    "\r\n\r\n Screen Resolution = %d x %d Pixel - Color Depth %d Bit ",
    "\r\n Screen Refreshing Frequency (vertical) = %d Hertz ",
    "\r\n\r\n IPv4-Address: ",
    "\r\n\r\n IPv4-Addresses: ",
    "\r\n\r\n Operating System Version: \r\n Major Version: %d - Minor Version: %d - Build: %d \r\n = Windows ",
    "\r\n Default  Printer = ",
    {{"Day ", "Days"}, {"Hour ", "Hours"}, {"Minute ", "Minutes"}, {"Second", "Seconds"}},
};

// The labels the same in both languages.
inline const char expected_user_line[] = "\r\n\r\n User     Name    = ";
inline const char expected_computer_line[] = "\r\n Computer Name    = ";
inline const char expected_windows_uptime[] = "Windows Uptime: ";
inline const char expected_program_uptime[] = "Program Uptime: ";
inline const char expected_bitness[] = " (64Bit Windows Version) ";
