// A shared object where morvac looks for its message box module, without the entry point.
extern "C" {
int morvac_message_box_version = 1;
}
