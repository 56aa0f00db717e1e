#pragma once

class Enquirers;

// The fuzz world's database made the program's global one, holding
// enquirer AB123 with reasons 01AB (cut-off 180 days, the default) and 02CD
// (none); made on first use.
Enquirers& FuzzEnquirers();
