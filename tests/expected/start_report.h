#pragma once
// The report the program shows at its start values (85 km 0 m, 15 degrees
// 0 minutes, Height mode), written out once for the unit tests and the
// end-to-end drivers. Sources are UTF-8; the compiler turns them into
// Windows-1252 in both builds.

inline const char english_start_report[] =
    "\r\n"
    " Height:             85.000 Kilometres \r\n"
    " Height Angle:       15.000 Degree \r\n"
    "\r\n"
    " Result without Earth's Curvature would be: \r\n"
    " (Accordant with the Pythagorean Theorem) \r\n"
    "\r\n"
    " Distance along Earth's Surface:                317.224 km \r\n"
    " Distance from the Observer to the Object:      328.415 km \r\n"
    " Height over Horizon visible:                    85.000 km \r\n"
    " Height hidden through Earth's Curvature:         0.000 km \r\n"
    " Height Angle (is fixed):                        15.000 Degree \r\n"
    " Height total (is fixed):                        85.000 km \r\n"
    "\r\n"
    " Result under Consideration of Earth's Curvature: \r\n"
    "\r\n"
    " Distance along the Tangent Plane:              292.249 km \r\n"
    " Distance from the Observer to the Object:      302.559 km \r\n"
    " Height over Horizon visible:                    78.308 km \r\n"
    " Height hidden through Earth's Curvature:         6.692 km \r\n"
    " Height Angle (is fixed):                        15.000 Degree \r\n"
    " Height total (is fixed):                        85.000 km \r\n"
    "\r\n"
    " Difference of the Distance (in Kilometres):     25.856 km \r\n"
    " Difference of the Distance (in Percent):         7.873 % \r\n";

inline const char german_start_report[] =
    "\r\n"
    " Höhe:               85,000 Kilometer \r\n"
    " Höhenwinkel:        15,000 Grad \r\n"
    "\r\n"
    " Ergebnis ohne Erdkrümmung wäre: \r\n"
    " (Gemäß Satz des Pythagoras) \r\n"
    "\r\n"
    " Entfernung entlang der Erdoberfläche:          317,224 km \r\n"
    " Entfernung vom Beobachter bis zum Objekt:      328,415 km \r\n"
    " Höhe über dem Horizont sichtbar:                85,000 km \r\n"
    " Höhe durch Erdkrümmung verdeckt:                 0,000 km \r\n"
    " Höhenwinkel (ist vorgegeben):                   15,000 Grad \r\n"
    " Höhe gesamt (ist vorgegeben):                   85,000 km \r\n"
    "\r\n"
    " Ergebnis unter Berücksichtigung der Erdkrümmung: \r\n"
    "\r\n"
    " Entfernung entlang der Tangentialebene:        292,249 km \r\n"
    " Entfernung vom Beobachter bis zum Objekt:      302,559 km \r\n"
    " Höhe über dem Horizont sichtbar:                78,308 km \r\n"
    " Höhe durch Erdkrümmung verdeckt:                 6,692 km \r\n"
    " Höhenwinkel (ist vorgegeben):                   15,000 Grad \r\n"
    " Höhe gesamt (ist vorgegeben):                   85,000 km \r\n"
    "\r\n"
    " Differenz der Entfernung (in Kilometer):        25,856 km \r\n"
    " Differenz der Entfernung (in Prozent):           7,873 % \r\n";
