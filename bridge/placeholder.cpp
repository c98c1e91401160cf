// Placeholder: the bridge is being written.
