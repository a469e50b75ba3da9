#include "calc/field_reading.h"

#include "calc/text.h"

bool read_whole_number(const char* text, int& value) {
    if (text == nullptr) return false;
    const long long largest = 2147483647;
    long long number = 0;
    for (const char* at = text; *at != '\0'; ++at) {
        if (*at < '0' || *at > '9') return false;
        number = number * 10 + (*at - '0');
        if (number > largest) number = largest;  // more digits only stay at the top
    }
    value = static_cast<int>(number);
    return true;
}

void compose_unreadable_report(const bool unreadable[input_field_count], int german, char* buffer, int capacity) {
    if (buffer == nullptr || capacity <= 0) return;
    static const char* const german_names[input_field_count] = {"Kilometer", "Meter", "Grad", "Minuten", "Augenhöhe"};
    static const char* const english_names[input_field_count] = {"Kilometer", "Meter", "Degree", "Minutes", "Eye Height"};
    copy_text(buffer, capacity, "\r\n");
    for (int i = 0; i < input_field_count; ++i) {
        if (!unreadable[i]) continue;
        append_text(buffer, capacity, german != 0 ? " Feld " : " ");
        append_text(buffer, capacity, german != 0 ? german_names[i] : english_names[i]);
        append_text(buffer, capacity, german != 0 ? ": keine ganze Zahl, daher keine Ergebnisse. \r\n"
                                                  : " field: no whole number, so no results. \r\n");
    }
    append_text(buffer, capacity,
                german != 0 ? "\r\n Die Felder nehmen nur ganze Zahlen (Ziffern 0 bis 9) auf; \r\n die Bruchteile "
                              "gehören in die Felder Meter und Minuten. "
                            : "\r\n The fields take whole numbers only (digits 0 to 9); \r\n the Meter and "
                              "Minutes fields hold the fractions. ");
    append_text(buffer, capacity, "\r\n");
}
