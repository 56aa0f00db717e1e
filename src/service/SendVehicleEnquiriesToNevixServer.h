#pragma once

#include <cstdint>

class LogLines;
class NevixRequest;
class TransmissionResults;
class VQ3Enquiries;

// The send step of a transmission run: every unsent enquiry goes to the
// service in "VQ3Enquiry" requests, in batches that share one control
// reference. Failures show only in the log and the run's fatal text.
void SendVehicleEnquiriesToNevixServer(LogLines& log, TransmissionResults& results);

// One batch: a batch without a control reference first gets the next one,
// stored on its enquiries and committed; then the request is sent with no
// transaction open; then the outcome is stored. False: sending must stop.
bool SendVQ3Batch(VQ3Enquiries& batch, LogLines& log, TransmissionResults& results);

// The exchange of one batch and the handling of its answer; the batch is
// then saved with its new times, reference and errors. A "WARN" answer
// that names no enquiry counts as a refusal.
bool SendVQ3BatchWithControlReference(VQ3Enquiries& batch, LogLines& log, TransmissionResults& results,
                                      int32_t ControlReference);

NevixRequest CreateVQ3Request(int32_t ControlReference, LogLines& log);
