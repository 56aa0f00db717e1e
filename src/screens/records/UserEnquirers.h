#pragma once

class CDataBase;
class Enquirers;

// Whether the user's enquirers are fewer than all the enquirers in the
// database: the record screens then say that the enquirers are filtered
// by the user's name.
bool EnquirersFiltered(const Enquirers& userEnquirers, CDataBase& db);

// Tells the user the names of their enquirers, or that they have none.
void ShowUserEnquirers(const Enquirers& userEnquirers);
