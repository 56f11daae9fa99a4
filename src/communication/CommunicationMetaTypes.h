#pragma once

/// Registers the values that travel through queued connections between the
/// transfer threads and the main thread (FileTransfer). Safe to call twice.
void registerCommunicationMetaTypes();
