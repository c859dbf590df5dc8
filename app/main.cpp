// The desktop program `tavoline`.
int main() { return 0; }
