// The command-line tool `tav`.
int main() { return 0; }
