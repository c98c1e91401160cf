// Placeholder: the Linux platform services are being written.
