// Placeholder: the command is being written.
int main() { return 0; }
