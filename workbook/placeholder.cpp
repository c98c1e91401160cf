// Placeholder: the embedded workbook is being written.
