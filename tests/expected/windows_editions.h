#pragma once
// The edition word after the Windows name, by the product type that
// GetProductInfo answers, written out once for the unit tests and the
// end-to-end oracle; "" where the type names no edition.

struct expected_edition {
    unsigned type;
    const char* edition;
};

inline const expected_edition expected_editions[] = {
    {1, " Ultimate"},       {28, " Ultimate N"},     {71, " Ultimate E"},
    {2, " Home Basic"},     {5, " Home Basic N"},    {67, " Home Basic E"},
    {3, " Home Premium"},   {26, " Home Premium N"}, {68, " Home Premium E"},
    {4, " Enterprise"},     {27, " Enterprise N"},   {70, " Enterprise E"},
    {11, " Starter"},       {47, " Starter N"},      {66, " Starter E"},
    {48, " Professional"},  {49, " Professional N"}, {69, " Professional E"},
    {6, " Business"},       {16, " Business N"},     {121, " Education"},
    {122, " Education N"},  {98, " Home N"},         {99, " Home"},
    {100, " Home"},         {101, " Home"},          {0, ""},
    {7, ""},                {97, ""},                {102, ""},
    {72, ""},               {65, ""},
};
