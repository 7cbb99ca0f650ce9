keys
